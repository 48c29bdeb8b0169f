#pragma once
// The window's dialogs behind one interface, so tests answer them from a script.
// Texts and file names are Windows-1252.
#include <cstdint>
#include <string>

namespace navforge {

// What a shared file dialog keeps between uses: a command sets only the fields it
// needs, the rest stays as the previous use left it. After a confirmed dialog
// FileName holds the chosen full path and InitialDir is left alone.
struct TFileDialog {
  std::string Filter;      // "Text|pattern|Text|pattern"
  std::string DefaultExt;  // without the dot; added to a name typed without extension
  std::string FileName;
  std::string InitialDir;
};

enum class TConfirmAnswer { Yes, No, Cancel };
enum class TTypingAnswer { Apply, Discard, Cancel };

class IDialogs {
public:
  virtual ~IDialogs() = default;
  virtual bool ExecuteOpen(TFileDialog& dialog) = 0;  // false: cancelled
  virtual bool ExecuteSave(TFileDialog& dialog) = 0;  // false: cancelled; never asks about overwriting
  // Starts from color; false: cancelled and color untouched.
  virtual bool ExecuteColor(std::int32_t& color) = 0;
  // The program's own message, in a plain box.
  virtual void Message(const std::string& caption, const std::string& text) = 0;
  // An error that ended a command, with a warning icon.
  virtual void Error(const std::string& caption, const std::string& text) = 0;
  // A question with the buttons "&Ja" and "&Nein" (Yes or No).
  virtual TConfirmAnswer Confirm(const std::string& caption, const std::string& text) = 0;
  // A question with the buttons "&Ja", "&Nein" and "Abbrechen".
  virtual TConfirmAnswer ConfirmOrCancel(const std::string& caption, const std::string& text) = 0;
  // About texts typed and not applied: "Übernehmen", "Verwerfen" and "Abbrechen".
  virtual TTypingAnswer ApplyOrDiscard(const std::string& caption, const std::string& text) = 0;
};

// The default extension is added when the file name part has no "." in it.
std::string AddDefaultExt(const std::string& path, const std::string& defaultExt);

}  // namespace navforge
