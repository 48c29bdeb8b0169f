#pragma once
// Messages of the program's own checks ("Kein Dateiname zum Speichern angegeben" ...)
// go through one notifier: the window shows a message box, navforge-cli writes to
// stderr, tests record them. Texts are Windows-1252.
#include <string>

namespace navforge {

class INotifier {
public:
  virtual ~INotifier() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// Installs the notifier used by ShowMessage; nullptr restores the default, which
// writes the text as UTF-8 to stderr. The caller keeps ownership.
void SetNotifier(INotifier* notifier);
INotifier& CurrentNotifier();
void ShowMessage(const std::string& text);

// Installs a notifier for the lifetime of this object and restores the previous one.
class ScopedNotifier {
public:
  explicit ScopedNotifier(INotifier& n);
  ~ScopedNotifier();
  ScopedNotifier(const ScopedNotifier&) = delete;
  ScopedNotifier& operator=(const ScopedNotifier&) = delete;

private:
  INotifier* previous_;
};

}  // namespace navforge
