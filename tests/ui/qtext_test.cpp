#include "ui/qtext.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/editbox.h"
#include "ui/fontnames.h"
#include "ui/hints.h"
#include "uitestapp.h"

namespace navforge {
namespace {

// Key presses carrying the characters, as a keyboard or input method sends them.
void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

TEST(TextEdge, cp1252_roundTripsThroughQString) {
  std::string text = "Men\xFC \x80 \xDF\x9F";  // ü, euro sign, ß, Ÿ
  QString q = ToQ(text);
  EXPECT_EQ(q, QString::fromUtf8("Menü € ßŸ"));
  EXPECT_EQ(FromQ(q), text);
}

TEST(TextEdge, unrepresentableCharacters_becomeQuestionMarks) {
  EXPECT_EQ(FromQ(QString::fromUtf8("a\u4E2Db\u0142")), "a?b?");
  EXPECT_FALSE(FitsCp1252(QString::fromUtf8("\u4E2D")));
  EXPECT_TRUE(FitsCp1252(QString::fromUtf8("Größe € …")));
}

TEST(Cp1252Validator, refusesTypedCharactersOutsideTheCodePage) {
  test::UiApp();
  TEdit edit(nullptr);
  Type(&edit, QString::fromUtf8("Grüße"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("Grüße"));
  Type(&edit, QString::fromUtf8("\u4E2D\u0142"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("Grüße"));
  EXPECT_EQ(edit.Text(), "Gr\xFC\xDF" "e");
}

TEST(Cp1252Validator, refusesPastedTextWithAForeignCharacter) {
  test::UiApp();
  TEdit edit(nullptr);
  edit.setText(QStringLiteral("ab"));
  edit.insert(QString::fromUtf8("x\u0142y"));  // insert() runs the validator like a paste
  EXPECT_EQ(edit.text(), QStringLiteral("ab"));
  edit.insert(QString::fromUtf8("€…"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("ab€…"));
}

TEST(WrapHint, noLineWiderThanTheLimit) {
  test::UiApp();
  QFontMetrics fm(QApplication::font());
  QString text = QStringLiteral("eins zwei drei vier fuenf sechs sieben acht neun zehn elf zwoelf "
                                "dreizehn vierzehn fuenfzehn sechzehn siebzehn achtzehn neunzehn zwanzig");
  QString wrapped = WrapHint(text, fm, 120);
  QStringList lines = wrapped.split(QLatin1Char('\n'));
  EXPECT_GT(lines.size(), 2);
  for (const QString& line : lines) EXPECT_LE(fm.horizontalAdvance(line), 120) << line.toStdString();
  EXPECT_EQ(lines.join(QLatin1Char(' ')), text);  // nothing lost, words kept whole
}

TEST(WrapHint, keepsGivenLineBreaksAndOverlongWords) {
  test::UiApp();
  QFontMetrics fm(QApplication::font());
  EXPECT_EQ(WrapHint(QStringLiteral("a\r\nb"), fm, 400), QStringLiteral("a\nb"));
  QString longWord(60, QLatin1Char('w'));
  EXPECT_EQ(WrapHint(longWord + QStringLiteral(" x"), fm, 50), longWord + QStringLiteral("\nx"));
}

TEST(FontNames, familiesWithoutFoundryTags_eachOnce) {
  EXPECT_EQ(CssFontFamilies({QStringLiteral("Arial"), QStringLiteral("C059 [urw]"), QStringLiteral("C059 [UKWN]"),
                             QStringLiteral("D050000L [URW ]"), QStringLiteral("Noto [x] Sans")}),
            (QStringList{QStringLiteral("Arial"), QStringLiteral("C059"), QStringLiteral("D050000L"),
                         QStringLiteral("Noto [x] Sans")}));
}

// Hint timings wrap the style the application runs with ("-style" chooses it).
TEST(HintTimings, keepTheChosenStyle) {
  test::UiApp();
  auto base = [] {
    auto* proxy = qobject_cast<QProxyStyle*>(QApplication::style());
    return proxy ? proxy->baseStyle()->name().toLower() : QString();
  };
  const QString before = base();
  QApplication::setStyle(QStringLiteral("Windows"));
  InstallHintTimings();
  EXPECT_EQ(base(), QStringLiteral("windows"));
  EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
  QApplication::setStyle(before);
  InstallHintTimings();
  EXPECT_EQ(base(), before);
}

}  // namespace
}  // namespace navforge
