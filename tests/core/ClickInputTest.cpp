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
// reads back as text; characters code page 932 cannot hold are named, and
// nothing is placed.
TEST(LetterTexts, PlacedReadableBackOrRefusedNamingWhatThePageCannotHold) {
  const struct {
    QString typed;
    QByteArray stored;  // empty: refused
    QString named;
  } cases[] = {
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
    s.doc.input().mousePressed(Qt::LeftButton, Qt::NoModifier, QPoint(10, 21));
    if (c.stored.isEmpty()) {
      EXPECT_EQ(s.doc.page().count(), 0);
      EXPECT_FALSE(s.doc.isModified());
      ASSERT_EQ(s.messages.shown.size(), 1);
      EXPECT_EQ(s.messages.shown[0].icon, Messages::Icon::Error);
      EXPECT_TRUE(s.messages.shown[0].text.contains(c.named))
          << s.messages.shown[0].text.toStdString();
      continue;
    }
    EXPECT_TRUE(s.messages.shown.isEmpty());
    EXPECT_EQ(contentsOf(s.doc.page().Inputs), QList<QByteArray>{c.stored});
    EXPECT_EQ(xsOf(s.doc.page().Inputs), QList<QByteArray>{"10"});
    EXPECT_EQ(ysOf(s.doc.page().Inputs), QList<QByteArray>{"21"});
    EXPECT_TRUE(s.doc.isModified());
  }
}
