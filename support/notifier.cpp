#include "notifier.h"

#include <cstdio>

#include "cp1252.h"

namespace navforge {
namespace {

class StderrNotifier : public INotifier {
public:
  void ShowMessage(const std::string& text) override {
    std::string line = Cp1252ToUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
};

StderrNotifier defaultNotifier;
INotifier* current = nullptr;

}  // namespace

void SetNotifier(INotifier* notifier) { current = notifier; }
INotifier& CurrentNotifier() { return current ? *current : defaultNotifier; }
void ShowMessage(const std::string& text) { CurrentNotifier().ShowMessage(text); }

ScopedNotifier::ScopedNotifier(INotifier& n) : previous_(current) { current = &n; }
ScopedNotifier::~ScopedNotifier() { current = previous_; }

}  // namespace navforge
