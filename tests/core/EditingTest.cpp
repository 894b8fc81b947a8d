#include <gtest/gtest.h>

#include <functional>

#include "support/DocumentSession.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// Undo, the whole-page shift, step erase and the clefs and barlines, on the
// document.

namespace {

class Editing : public ::testing::Test, protected DocumentSession {
 protected:
  // Inputs "`1" … "`n" at (10·i, 20·i).
  void inputs(int n) {
    for (int i = 1; i <= n; ++i)
      doc.appendInput("`" + QByteArray::number(i), 10 * i, 20 * i);
  }
  QList<QByteArray> contents() { return contentsOf(doc.page().Inputs); }
};

}  // namespace

TEST_F(Editing, UndoTakesBackOnlyTheLastInput) {
  doc.edits().undoLastInput();
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_FALSE(doc.isModified());
  inputs(3);
  doc.setModified(false);
  doc.edits().undoLastInput();
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`2"}));
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(view.replays.last(), 2);
}

TEST_F(Editing, ShiftUpThenDownRestoresEveryPlace) {
  doc.appendInput("`14", 40, 48);
  doc.appendInput(QByteArray("text"), 7, 0);
  doc.appendInput("`30", -3, -100);
  const InputList before = doc.page().Inputs;
  doc.edits().shiftPageUp();
  EXPECT_EQ(ysOf(doc.page().Inputs), (QList<QByteArray>{"-16", "-64", "-164"}));
  EXPECT_EQ(xsOf(doc.page().Inputs), xsOf(before));
  doc.edits().shiftPageDown();
  EXPECT_EQ(doc.page().Inputs, before);
  EXPECT_TRUE(doc.isModified());
}

// Undo gives back the page's bytes: places written otherwise than as plain
// numbers come back as written after a shift, a run of region moves and a
// region delete, and redo writes the same plain numbers again.
TEST_F(Editing, UndoGivesBackPlacesAsTheyWereWritten) {
  doc.files().openFile(scratch.write(
      QStringLiteral("odd.fum"),
      "Fum[odd]\r\n^1|4|610|`14|+5|48|`14| 7|007|text|12|-0|`3|30|40|\r\n"
      "End[odd]\r\n"));
  const InputList before = doc.page().Inputs;
  const auto selectAll = [&] {
    doc.input().setMode(EditMode::Rect);
    doc.regions().selectAll();  // all but the text at y 0
  };
  const std::function<void()> edits[] = {
      [&] { doc.edits().shiftPageDown(); },
      [&] {
        selectAll();
        doc.regions().moveByArrow(MoveArrow::Down, Qt::NoModifier);
        doc.regions().moveByArrow(MoveArrow::Right, Qt::NoModifier);
      },
      [&] {
        selectAll();
        doc.regions().remove();
      },
  };
  for (const auto &edit : edits) {
    edit();
    const InputList after = doc.page().Inputs;
    ASSERT_NE(after, before);
    doc.undo();
    EXPECT_EQ(doc.page().Inputs, before);
    doc.redo();
    EXPECT_EQ(doc.page().Inputs, after);
    doc.undo();
  }
  EXPECT_EQ(ysOf(before), (QList<QByteArray>{"48", "007", "-0", "40"}));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Editing, AShiftThatCannotMoveEveryInputMovesNone) {
  doc.files().openFile(
      scratch.write(QStringLiteral("bad.fum"),
                    "Fum[bad]\r\n^1|4|610|`14|40|48|`14|40|4x|\r\n"
                    "End[bad]\r\n"));
  messages = ScriptedMessages();
  const InputList before = doc.page().Inputs;
  doc.edits().shiftPageDown();
  EXPECT_EQ(doc.page().Inputs, before);
  EXPECT_TRUE(messages.saw(QStringLiteral("'4x' は整数ではありません.")));
}

TEST_F(Editing, StepEraseWalksBackThroughTheInputs) {
  inputs(5);
  using S = StepEraseState;
  EXPECT_EQ(doc.edits().stepEraser().open(), (S{0, 5, false}));
  EXPECT_EQ(doc.edits().stepEraser().markAt(3), (S{3, 5, true}));
  EXPECT_EQ(view.markers.last(), QPoint(30, 60));
  EXPECT_EQ(doc.edits().stepEraser().eraseMarked(), (S{2, 4, true}));
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`2", "`4", "`5"}));
  EXPECT_EQ(view.markers.last(), QPoint(20, 40)) << "the one before is marked";
  EXPECT_EQ(doc.edits().stepEraser().eraseMarked(), (S{1, 3, true}));
  EXPECT_EQ(doc.edits().stepEraser().eraseMarked(), (S{0, 2, false}));
  EXPECT_EQ(contents(), (QList<QByteArray>{"`4", "`5"}));
  EXPECT_EQ(doc.edits().stepEraser().eraseMarked(), (S{0, 2, false}))
      << "nothing at 0";
  EXPECT_TRUE(doc.isModified());
}

TEST_F(Editing, StepEraseAtTheLastInputAndOnClosing) {
  inputs(3);
  doc.edits().stepEraser().open();
  doc.edits().stepEraser().markAt(3);
  EXPECT_EQ(doc.edits().stepEraser().eraseMarked(),
            (StepEraseState{2, 2, true}));
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`2"}));
  // Each marker drawn since the last full redraw is drawn again to go, or
  // goes with the redraw on closing.
  const int redraws = view.paperRedraws.size();
  doc.edits().stepEraser().close();
  EXPECT_EQ(view.paperRedraws.size(), redraws + 1);
  EXPECT_EQ(view.replays.last(), 2);
  // Activated again with a marker drawn: it is taken away.
  doc.edits().stepEraser().markAt(1);
  const int markers = view.markers.size();
  EXPECT_EQ(doc.edits().stepEraser().open(), (StepEraseState{0, 2, false}));
  EXPECT_EQ(view.markers.size(), markers + 1);
  EXPECT_EQ(view.markers.last(), QPoint(10, 20));
}

TEST_F(Editing, ClefsAndBarlinesAreAppendedAsGlyphInputs) {
  doc.edits().appendClefsAndBarlines({0, 0, 0, 1, 4});  // "書かない" twice
  EXPECT_EQ(doc.page().count(), 0);
  EXPECT_TRUE(doc.isModified());
  const int glyph = doc.editor().CurrentGlyph;
  doc.edits().appendClefsAndBarlines({1, 1, 0, 1, 1});
  EXPECT_EQ(contents(), (QList<QByteArray>{"`32", "`30", "`30", "`30"}));
  EXPECT_EQ(view.drawn.size(), 4) << "each drawn alone, no full redraw";
  EXPECT_EQ(doc.editor().CurrentGlyph, glyph);
  doc.edits().undoLastInput();
  EXPECT_EQ(xsOf(doc.page().Inputs).last(), "413");
}

// A new page empties everything but the size of the paper; the staff
// items set the staves and keep the width, and the paper dialog keeps the
// inputs.
TEST_F(Editing, NewPagesKeepOnlyTheSizeOfThePaper) {
  doc.files().openFile(
      scratch.write(QStringLiteral("x.fum"),
                    "Fum[x]\r\n~text\r\n^-1|6|700|`14|100|48|\r\nEnd[x]\r\n"));
  ASSERT_EQ(doc.page().ProtectFlag, -1);
  doc.newPage();
  const ScorePage &page = doc.page();
  EXPECT_EQ(page.count(), 0);
  EXPECT_TRUE(page.PageText.isEmpty());
  EXPECT_FALSE(doc.isModified());
  EXPECT_TRUE(page.PagePath.isEmpty());
  EXPECT_TRUE(page.InternalName.isEmpty());
  EXPECT_EQ(page.ProtectFlag, 1);
  EXPECT_EQ((RecordingView::Size{page.StaffCount, page.StaffWidth}),
            (RecordingView::Size{6, 700}));

  doc.edits().newPageOfStaves(3);
  EXPECT_EQ(view.resizes.last(), (RecordingView::Size{3, 700}));
  EXPECT_EQ((RecordingView::Size{page.StaffCount, page.StaffWidth}),
            (RecordingView::Size{3, 700}));
  EXPECT_FALSE(doc.isModified());

  doc.appendInput("`14", 100, 300);  // below a page of two staves
  doc.setModified(false);
  doc.edits().applyPaperDialog(2, 1280);
  EXPECT_EQ(view.resizes.last(), (RecordingView::Size{2, 1280}));
  EXPECT_EQ(page.count(), 1);
  EXPECT_TRUE(doc.isModified());
}
