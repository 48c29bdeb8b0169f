// Texts typed into the entry boxes: "Ändern" changes the entry the boxes show, and
// typing not applied is asked about before a click, "Neu", "Öffnen" or closing drops it.
#include "formtest.h"

namespace navforge {
namespace {

using Texts = std::vector<std::string>;

class TypingTest : public test::FormTest {};

// After "Hinzufügen" a typo mended in "Name" and "Ändern" change the new entry, not the
// one selected before.
TEST_F(TypingTest, changeAfterAdd_changesTheNewEntry) {
  AddMain("Start");
  ClickLine(0);
  Boxes("Kontkt", "kontakt.htm", "main");
  form->TBItem8->trigger();
  form->menuname->SetText("Kontakt");
  form->TBItem10->trigger();
  EXPECT_EQ(Lines(), (Texts{"Start", "Kontakt"}));
}

struct Answer {
  const char* Name;
  TTypingAnswer Given;
  Texts Lines;     // the entry list afterwards
  int Selected;    // the selected line afterwards
  Texts Boxes;     // what the boxes show afterwards
};

// A click on another line with a caption typed for the selected one.
TEST_F(TypingTest, clickOnAnotherLine_asksAndEachAnswerDoesItsPart) {
  const Answer answers[] = {
      {"apply", TTypingAnswer::Apply, {"A2", "B"}, 1, {"B", "B.htm", "main"}},
      {"discard", TTypingAnswer::Discard, {"A", "B"}, 1, {"B", "B.htm", "main"}},
      {"cancel", TTypingAnswer::Cancel, {"A", "B"}, 0, {"A2", "A.htm", "main"}},
  };
  for (const Answer& a : answers) {
    SCOPED_TRACE(a.Name);
    form = MakeForm();
    AddMain("A");
    AddMain("B");
    ClickLine(0);
    form->menuname->SetText("A2");
    dialogs.TypingQuestions.clear();
    dialogs.TypingAnswers = {a.Given};
    ClickLine(1);
    ASSERT_EQ(dialogs.TypingQuestions.size(), 1u);
    EXPECT_EQ(dialogs.TypingQuestions[0].Caption, "Bestätigung"_cp1252);
    EXPECT_EQ(dialogs.TypingQuestions[0].Text, "Die Änderungen am Eintrag „A“ wurden noch nicht übernommen."_cp1252);
    EXPECT_EQ(Lines(), a.Lines);
    EXPECT_EQ(form->SelectedIndex(), a.Selected);
    EXPECT_EQ(BoxTexts(), a.Boxes);
  }
}

// Typed into the boxes of no entry, "Übernehmen" adds it at the end.
TEST_F(TypingTest, typedForNoEntry_isAddedAtTheEndOnApply) {
  AddMain("A");
  AddMain("B");
  Click(form->FlatButton2);
  Boxes("Neu", "neu.htm", "main");
  dialogs.TypingAnswers = {TTypingAnswer::Apply};
  ClickLine(0);
  ASSERT_EQ(dialogs.TypingQuestions.size(), 1u);
  EXPECT_EQ(dialogs.TypingQuestions[0].Text, "Der Eintrag „Neu“ wurde eingegeben, aber noch nicht hinzugefügt."_cp1252);
  EXPECT_EQ(Lines(), (Texts{"A", "B", "Neu"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_EQ(BoxTexts(), (Texts{"A", "A.htm", "main"}));
}

// Nothing typed, nothing asked: clicks, the boxes emptied, a deselected entry's texts.
TEST_F(TypingTest, nothingTyped_asksNothing) {
  AddMain("A");
  AddMain("B");
  ClickLine(0);
  ClickLine(1);
  Click(form->FlatButton2);
  ClickLine(0);
  form->TBItem15->trigger();  // the boxes still show the deleted entry
  Boxes("", "", "");
  ClickLine(0);
  form->close();
  EXPECT_TRUE(dialogs.TypingQuestions.empty());
}

struct Command {
  const char* Name;
  std::function<void(TypingTest&)> Run;
  std::function<bool(TypingTest&)> WentOn;
};

// "Neu", "Öffnen" and closing ask first; "Übernehmen" makes the typing part of the
// menu, so the question about saving follows; "Abbrechen" stops the command.
TEST_F(TypingTest, typedText_isAskedAboutBeforeNewOpenAndClose) {
  const Command commands[] = {
      {"new", [](TypingTest& t) { t.form->BtnNew->trigger(); }, [](TypingTest& t) { return t.Lines().empty(); }},
      {"open",
       [](TypingTest& t) { t.Open(t.WriteMenu("other.nff", {"Other"})); },
       [](TypingTest& t) { return t.Lines() == Texts{"Other"}; }},
      {"close", [](TypingTest& t) { t.form->close(); }, [](TypingTest& t) { return !t.form->isVisible(); }},
  };
  struct Case {
    TTypingAnswer Given;
    bool WentOn;
    std::size_t SaveQuestions;
  };
  const Case cases[] = {{TTypingAnswer::Apply, true, 1}, {TTypingAnswer::Discard, true, 0}, {TTypingAnswer::Cancel, false, 0}};
  const std::string menu = WriteMenu("site.nff", {"A"});
  for (const Command& command : commands)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(command.Name) + " " + std::to_string(static_cast<int>(c.Given)));
      form = MakeForm();
      form->show();
      Open(menu);
      ClickLine(0);
      form->menuname->SetText("A getippt");
      dialogs.TypingQuestions.clear();
      dialogs.Questions.clear();
      dialogs.TypingAnswers = {c.Given};
      dialogs.ConfirmAnswers = {TConfirmAnswer::No};
      command.Run(*this);
      EXPECT_EQ(dialogs.TypingQuestions.size(), 1u);
      EXPECT_EQ(dialogs.Questions.size(), c.SaveQuestions);
      EXPECT_EQ(command.WentOn(*this), c.WentOn);
    }
}

// Typed texts count as unsaved: "Ja" to saving after "Übernehmen" saves them.
TEST_F(TypingTest, appliedOnClose_isSavedWithYes) {
  const std::string menu = WriteMenu("site.nff", {"A"});
  form->show();
  Open(menu);
  ClickLine(0);
  form->menuname->SetText("A2");
  dialogs.TypingAnswers = {TTypingAnswer::Apply};
  dialogs.ConfirmAnswers = {TConfirmAnswer::Yes};
  form->close();
  EXPECT_FALSE(form->isVisible());
  TovHTML reread;
  reread.VariablesFile = prog + "navforge.nfv";
  reread.LoadFromFile(menu);
  ASSERT_EQ(reread.Items.size(), 1u);
  EXPECT_EQ(reread.Items[0].Caption, "A2");
}

// Commands that move the selected entry take its typed texts along.
TEST_F(TypingTest, movedEntry_keepsItsTypedTexts) {
  AddMain("A");
  AddMain("B");
  ClickLine(1);
  form->menuname->SetText("B2");
  form->TBItem11->trigger();  // up
  dialogs.TypingAnswers = {TTypingAnswer::Apply};
  ClickLine(1);
  EXPECT_EQ(Lines(), (Texts{"B2", "A"}));
}

}  // namespace
}  // namespace navforge
