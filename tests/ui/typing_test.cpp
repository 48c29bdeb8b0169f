// Texts typed into the entry boxes: "Ändern" changes the entry the boxes show, and
// typing not applied is asked about before a click, "Neu", "Öffnen" or closing drops it.
#include "formtest.h"

namespace navforge {
namespace {

using test::Texts;

class TypingTest : public test::FormTest {};

// After "Hinzufügen", a typo mended in "Name" and "Ändern" change the new entry, not the
// one selected before.
TEST_F(TypingTest, changeAfterAdd_changesTheNewEntry) {
  AddMain("Start");
  ClickLine(0);
  AddMain("Kontkt");
  form->menuname->SetText("Kontakt");
  form->TBItem10->trigger();
  EXPECT_EQ(Lines(), (Texts{"Start", "Kontakt"}));
}

// A click on another line after typing: each answer, for typing about an entry and for
// typing about none (after "<-- Deselect Item").
TEST_F(TypingTest, clickOnAnotherLine_asksAndEachAnswerDoesItsPart) {
  struct Case {
    TTypingAnswer Given;
    bool Deselected;
    Texts Lines;
    int Selected;
    std::string Shown;  // in "Name" afterwards
  };
  const Case cases[] = {{TTypingAnswer::Apply, false, {"A2", "B"}, 1, "B"},
                        {TTypingAnswer::Discard, false, {"A", "B"}, 1, "B"},
                        {TTypingAnswer::Cancel, false, {"A", "B"}, 0, "A2"},
                        {TTypingAnswer::Apply, true, {"A", "B", "A2"}, 1, "B"},
                        {TTypingAnswer::Cancel, true, {"A", "B"}, -1, "A2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.Given)) + (c.Deselected ? " deselected" : ""));
    form = MakeForm();
    AddMain("A");
    AddMain("B");
    ClickLine(0);
    if (c.Deselected) Click(form->FlatButton2);
    form->menuname->SetText("A2");
    dialogs.TypingQuestions.clear();
    dialogs.TypingAnswers = {c.Given};
    ClickLine(1);
    ASSERT_EQ(dialogs.TypingQuestions.size(), 1u);
    EXPECT_EQ(dialogs.TypingQuestions[0].Text,
              c.Deselected ? "Der Eintrag „A2“ wurde eingegeben, aber noch nicht hinzugefügt."_cp1252
                           : "Die Änderungen am Eintrag „A“ wurden noch nicht übernommen."_cp1252);
    EXPECT_EQ(Lines(), c.Lines);
    EXPECT_EQ(form->SelectedIndex(), c.Selected);
    EXPECT_EQ(form->menuname->Text(), c.Shown);
  }
}

// "Neu", "Öffnen" and closing ask first; "Übernehmen" makes the typing part of the menu,
// so the question about saving follows ("Ja" saves it); "Abbrechen" stops the command.
TEST_F(TypingTest, typedText_isAskedAboutBeforeNewOpenAndClose) {
  struct Command {
    const char* Name;
    std::function<void(TypingTest&)> Run;
    std::function<bool(TypingTest&)> WentOn;
  };
  const Command commands[] = {
      {"new", [](TypingTest& t) { t.form->BtnNew->trigger(); }, [](TypingTest& t) { return t.Lines().empty(); }},
      {"open", [](TypingTest& t) { t.Open(t.WriteMenu("other.nff", {"Other"})); },
       [](TypingTest& t) { return t.Lines() == Texts{"Other"}; }},
      {"close", [](TypingTest& t) { t.form->close(); }, [](TypingTest& t) { return !t.form->isVisible(); }},
  };
  struct Case {
    TTypingAnswer Given;
    bool WentOn;
    std::size_t SaveQuestions;
    const char* Saved;  // the caption in the file afterwards
  };
  const Case cases[] = {{TTypingAnswer::Apply, true, 1, "A getippt"},
                        {TTypingAnswer::Discard, true, 0, "A"},
                        {TTypingAnswer::Cancel, false, 0, "A"}};
  for (const Command& command : commands)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(command.Name) + " " + std::to_string(static_cast<int>(c.Given)));
      const std::string menu = WriteMenu("site.nff", {"A"});
      dialogs = test::TScriptedDialogs();  // no answer left from a command cancelled before
      form = MakeForm();
      form->show();
      Open(menu);
      ClickLine(0);
      form->menuname->SetText("A getippt");
      dialogs.TypingAnswers = {c.Given};
      dialogs.ConfirmAnswers = {TConfirmAnswer::Yes};
      command.Run(*this);
      EXPECT_EQ(dialogs.TypingQuestions.size(), 1u);
      EXPECT_EQ(dialogs.Questions.size(), c.SaveQuestions);
      EXPECT_EQ(command.WentOn(*this), c.WentOn);
      TovHTML saved;
      saved.VariablesFile = prog + "navforge.nfv";
      saved.LoadFromFile(menu);
      EXPECT_EQ(saved.Items.at(0).Caption, c.Saved);
    }
}

// "Rückgängig" would show another state in the boxes: typed texts are asked about first;
// applied, they are the newest step, and the command ends there.
TEST_F(TypingTest, undoWithTypedTexts_asksFirst) {
  for (auto [given, lines] : {std::pair{TTypingAnswer::Cancel, Texts{"A", "B"}}, std::pair{TTypingAnswer::Apply, Texts{"A2", "B"}},
                              std::pair{TTypingAnswer::Discard, Texts{"A"}}}) {
    form = MakeForm();
    AddMain("A");
    AddMain("B");
    ClickLine(0);
    form->menuname->SetText("A2");
    dialogs.TypingAnswers = {given};
    form->BtnUndo->trigger();
    EXPECT_EQ(Lines(), lines) << static_cast<int>(given);
  }
}

}  // namespace
}  // namespace navforge
