#include <gtest/gtest.h>

#include "score/core/StaffGrid.h"
#include "support/DocumentSession.h"
#include "support/TestFiles.h"

// What a left click on the canvas places: a glyph on the staff grid, or
// the typed text where clicked.

TEST(StaffGrid, SnapsToTheNearestMultipleOfFourWithTwoGoingDown) {
  const int clicked[] = {0, 1, 2, 3, 4, 49, 50, 51, -1, -2, -3};
  const int snapped[] = {0, 0, 4, 4, 4, 48, 52, 52, 0, 0, -4};
  for (int i = 0; i < 11; ++i)
    EXPECT_EQ(snapToStaffGrid(clicked[i]), snapped[i]) << clicked[i];
}

// Typed separators and backquotes are stored full width so that the text
// reads back as text. Nothing is placed without a text (a beep) or with
// characters code page 932 cannot hold (named); either way the field is
// asked for, and the page stays as it was.
TEST(LetterTexts, PlacedReadableBackOrRefusedAskingForTheField) {
  const struct {
    QString typed;
    QByteArray stored;  // empty: refused
    QString named;      // empty with nothing stored: a beep
  } cases[] = {
      {QString(), {}, {}},
      {QStringLiteral("a|b"), sjis(QStringLiteral("a｜b")), {}},
      {QStringLiteral("`13"), sjis(QStringLiteral("｀13")), {}},
      {QStringLiteral("ポ"), QByteArray("\x83\x7C"), {}},  // trail byte "|"
      {QStringLiteral("♪𠮷と😀𠮷"), {}, QStringLiteral("「𠮷😀」")},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    DocumentSession s;
    s.doc.input().setMode(EditMode::Letter);
    s.doc.input().setLetterText(c.typed);
    int asked = 0;
    QObject::connect(&s.doc.input(), &PageInput::letterTextWanted,
                     [&asked] { ++asked; });
    s.doc.input().mousePressed(Qt::LeftButton, Qt::NoModifier, QPoint(10, 21));
    if (c.stored.isEmpty()) {
      EXPECT_EQ(s.doc.page().count(), 0);
      EXPECT_FALSE(s.doc.isModified());
      EXPECT_EQ(asked, 1);
      if (c.named.isEmpty()) {
        EXPECT_EQ(s.messages.beeps, 1);
        EXPECT_TRUE(s.messages.shown.isEmpty());
        continue;
      }
      ASSERT_EQ(s.messages.shown.size(), 1);
      EXPECT_EQ(s.messages.shown[0].icon, Messages::Icon::Error);
      EXPECT_TRUE(s.messages.shown[0].text.contains(c.named))
          << s.messages.shown[0].text.toStdString();
      continue;
    }
    EXPECT_TRUE(s.messages.shown.isEmpty());
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(contentsOf(s.doc.page().Inputs), QList<QByteArray>{c.stored});
    EXPECT_EQ(xsOf(s.doc.page().Inputs), QList<QByteArray>{"10"});
    EXPECT_EQ(ysOf(s.doc.page().Inputs), QList<QByteArray>{"21"});
    EXPECT_TRUE(s.doc.isModified());
  }
}
