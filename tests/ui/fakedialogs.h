#pragma once
// Dialogs answered from a script; every call records what the command had set.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace navforge::test {

class TScriptedDialogs : public IDialogs {
public:
  struct Message {
    std::string Caption;
    std::string Text;
    bool Error = false;  // shown as an error that ended a command
  };

  // Next answers; an empty optional cancels. A missing answer cancels, too.
  std::deque<std::optional<std::string>> OpenAnswers, SaveAnswers;
  std::deque<std::optional<std::int32_t>> ColorAnswers;
  std::deque<TConfirmAnswer> ConfirmAnswers;
  std::deque<TTypingAnswer> TypingAnswers;

  std::vector<TFileDialog> OpenCalls, SaveCalls;  // state as the command left it before showing
  std::vector<std::int32_t> ColorStarts;
  std::vector<Message> Messages, Questions, TypingQuestions;

  bool ExecuteOpen(TFileDialog& d) override { return Answer(d, OpenAnswers, OpenCalls); }
  bool ExecuteSave(TFileDialog& d) override { return Answer(d, SaveAnswers, SaveCalls); }
  bool ExecuteColor(std::int32_t& color) override {
    ColorStarts.push_back(color);
    if (ColorAnswers.empty()) return false;
    auto answer = ColorAnswers.front();
    ColorAnswers.pop_front();
    if (!answer) return false;
    color = *answer;
    return true;
  }
  void Message(const std::string& caption, const std::string& text) override { Messages.push_back({caption, text}); }
  void Error(const std::string& caption, const std::string& text) override { Messages.push_back({caption, text, true}); }
  // A missing answer is "&Nein" to a yes/no question and "Abbrechen" where that is offered.
  TConfirmAnswer Confirm(const std::string& caption, const std::string& text) override {
    return Ask(caption, text, TConfirmAnswer::No);
  }
  TConfirmAnswer ConfirmOrCancel(const std::string& caption, const std::string& text) override {
    return Ask(caption, text, TConfirmAnswer::Cancel);
  }

  // A missing answer is "Abbrechen".
  TTypingAnswer ApplyOrDiscard(const std::string& caption, const std::string& text) override {
    TypingQuestions.push_back({caption, text});
    if (TypingAnswers.empty()) return TTypingAnswer::Cancel;
    TTypingAnswer a = TypingAnswers.front();
    TypingAnswers.pop_front();
    return a;
  }

private:
  TConfirmAnswer Ask(const std::string& caption, const std::string& text, TConfirmAnswer missing) {
    Questions.push_back({caption, text});
    if (ConfirmAnswers.empty()) return missing;
    TConfirmAnswer a = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return a;
  }
  static bool Answer(TFileDialog& d, std::deque<std::optional<std::string>>& answers,
                     std::vector<TFileDialog>& calls) {
    calls.push_back(d);
    if (answers.empty()) return false;
    auto answer = answers.front();
    answers.pop_front();
    if (!answer) return false;
    d.FileName = AddDefaultExt(*answer, d.DefaultExt);  // as the real dialog does
    return true;
  }
};

}  // namespace navforge::test
