#pragma once
// "Vorschau" on the main toolbar: a checkable command (F5) right after "HTML Menü
// erstellen" that opens and closes the preview window beside the form; the button
// shows whether the window is open. The preview follows the form's changes and its
// entry selection.
class QAction;

namespace navforge {

class Tmainform;

QAction* AddPreviewCommand(Tmainform& form);

}  // namespace navforge
