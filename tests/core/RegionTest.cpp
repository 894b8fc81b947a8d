#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "score/core/TextEntry.h"
#include "support/DocumentSession.h"
#include "support/SampleRegions.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// Rectangle editing on the document: the rubber band, the selection and
// its frame, the region commands and the clipboard.

namespace {

using Frame = RecordingView::Frame;
using Rect = std::array<int, 4>;

class Region : public ::testing::Test, protected DocumentSession {
 protected:
  Region() { doc.input().setMode(EditMode::Rect); }

  void drag(QPoint from, QPoint to) {
    doc.input().mousePressed(Qt::LeftButton, {}, from);
    doc.input().mouseMoved({}, (from + to) / 2);
    doc.input().mouseMoved({}, to);
    doc.input().mouseReleased(Qt::LeftButton, to);
  }
  void add(const QByteArray &content, int x, int y) {
    doc.appendInput(content, x, y);
  }
  // The clipboard now holds `text`, as another program would leave it.
  void clipboard(const QString &text) {
    view.clipboard = text;
    doc.regions().clipboardChanged();
  }
  Rect rect() {
    const int *r = doc.editor().SelectionRect;
    return {r[0], r[1], r[2], r[3]};
  }
  QList<QByteArray> contents() { return contentsOf(doc.page().Inputs); }
};

}  // namespace

TEST_F(Region, DragsWithoutWidthOrHeightSelectNothing) {
  add("`1", 100, 100);
  for (QPoint to : {QPoint(50, 50), QPoint(150, 50), QPoint(50, 150)}) {
    drag({0, 0}, {200, 200});
    ASSERT_TRUE(doc.regions().selectionCommandsEnabled());
    drag({50, 50}, to);
    EXPECT_TRUE(doc.regions().selection().isEmpty());
    EXPECT_EQ(rect(), (Rect{0, 0, 0, 0}));
    EXPECT_FALSE(doc.regions().selectionCommandsEnabled());
    EXPECT_TRUE(view.framesShown.isEmpty()) << "no band or old frame left";
  }
}

TEST_F(Region, EveryDragDirectionSelectsStrictlyInside) {
  // On the frame, just inside, and below zero where comparisons are signed.
  add("`1", 100, 80), add("`2", 300, 80), add("`3", 200, 40);
  add("`4", 200, 120), add("`5", 101, 41), add("`6", 299, 119);
  for (const auto &[from, to] : {std::pair{QPoint(100, 40), QPoint(300, 120)},
                                 {QPoint(300, 120), QPoint(100, 40)},
                                 {QPoint(100, 120), QPoint(300, 40)},
                                 {QPoint(300, 40), QPoint(100, 120)}}) {
    drag(from, to);
    EXPECT_EQ(doc.regions().selection(), (QList<int>{4, 5}));
    EXPECT_EQ(rect(), (Rect{100, 40, 300, 120}));
    EXPECT_EQ(view.framesShown, (QList<Frame>{{100, 40, 300, 120}}));
  }
  add("`7", -10, -10);
  drag({10, 10}, {-50, -50});
  EXPECT_EQ(doc.regions().selection(), (QList<int>{6}));
}

TEST_F(Region, AReleaseAwayFromTheLastMoveFramesWhatIsKept) {
  doc.input().mousePressed(Qt::LeftButton, {}, {10, 10});
  doc.input().mouseMoved({}, {50, 50});
  doc.input().mouseReleased(Qt::LeftButton, {80, 60});
  EXPECT_EQ(view.framesShown, (QList<Frame>{{10, 10, 80, 60}}));
  doc.input().mousePressed(Qt::LeftButton, {}, {10, 10});
  doc.input().mouseMoved({}, {50, 50});
  doc.input().mouseReleased(Qt::LeftButton, {10, 60});
  EXPECT_TRUE(view.framesShown.isEmpty());
}

TEST_F(Region, SelectAllTakesWhatLiesInsideTheCanvas) {
  // A page of four staves, 610 by 292 pixels.
  add("`1", 0, 50), add("`2", 50, 0), add("`3", 610, 50);
  add("`4", 50, 292), add("`5", 1, 1), add("`6", 609, 291);
  doc.regions().selectAll();
  EXPECT_EQ(doc.regions().selection(), (QList<int>{4, 5}));
  EXPECT_EQ(view.framesShown, (QList<Frame>{{0, 0, 610, 292}}));
}

TEST_F(Region, MovesCarryTheSelectionAndItsFrame) {
  add("`1", 100, 100), add("`2", 400, 100);
  drag({50, 50}, {150, 150});
  doc.regions().moveByArrow(MoveArrow::Down, Qt::ShiftModifier);
  doc.regions().moveByArrow(MoveArrow::Right, Qt::ShiftModifier);
  doc.regions().moveByArrow(MoveArrow::Up, Qt::ControlModifier);
  EXPECT_EQ(xsOf(doc.page().Inputs), (QList<QByteArray>{"166", "400"}));
  EXPECT_EQ(ysOf(doc.page().Inputs), (QList<QByteArray>{"132", "100"}));
  EXPECT_EQ(view.framesShown, (QList<Frame>{{116, 82, 216, 182}}));
  EXPECT_TRUE(doc.isModified());
  // Past the top of the page the places go negative and stay.
  for (int i = 0; i < 3; ++i)
    doc.regions().moveByArrow(MoveArrow::Up, Qt::ShiftModifier);
  EXPECT_EQ(ysOf(doc.page().Inputs).first(), "-60");
}

TEST_F(Region, DuplicateThenRightLeavesTheCopiesBehind) {
  add("`1", 10, 10), add("`2", 100, 100), add("A", 120, 110);
  drag({50, 50}, {150, 150});
  doc.regions().duplicate();
  doc.regions().moveByArrow(MoveArrow::Right, {});
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`2", "A", "`2", "A"}));
  EXPECT_EQ(xsOf(doc.page().Inputs),
            (QList<QByteArray>{"10", "101", "121", "100", "120"}));
  EXPECT_EQ(doc.regions().selection(), (QList<int>{1, 2}));
}

TEST_F(Region, DeletingTwoFiveAndSevenKeepsTheOthersInOrder) {
  for (int i = 0; i < 10; ++i)
    add("`" + QByteArray::number(i), i == 2 || i == 5 || i == 7 ? 100 : 300,
        50 + i);
  drag({50, 0}, {150, 200});
  ASSERT_EQ(doc.regions().selection(), (QList<int>{2, 5, 7}));
  doc.setModified(false);
  doc.regions().remove();
  EXPECT_EQ(contents(),
            (QList<QByteArray>{"`0", "`1", "`3", "`4", "`6", "`8", "`9"}));
  EXPECT_EQ(rect(), (Rect{0, 0, 0, 0}));
  EXPECT_TRUE(view.framesShown.isEmpty());
  EXPECT_FALSE(doc.regions().selectionCommandsEnabled());
  EXPECT_TRUE(doc.isModified());
}

TEST_F(Region, CopyWritesTheRegionTextAndCutThenPasteGivesItBack) {
  add("`1", 10, 10), add("`14", 150, 72), add("A", 200, 100);
  drag({100, 40}, {300, 120});
  doc.regions().copy();
  EXPECT_EQ(view.clipboardWrites, QStringList{TwoInputRegionText});
  EXPECT_TRUE(doc.regions().pasteEnabled());
  doc.regions().cut();
  EXPECT_EQ(contents(), QList<QByteArray>{"`1"});
  doc.regions().paste();
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`14", "A"}));
  EXPECT_EQ(ysOf(doc.page().Inputs), (QList<QByteArray>{"10", "72", "100"}));
  EXPECT_EQ(doc.regions().selection(), (QList<int>{1, 2}));
  EXPECT_EQ(view.framesShown, (QList<Frame>{{100, 40, 300, 120}}));
  EXPECT_TRUE(doc.regions().selectionCommandsEnabled());
  // A second paste appends a second group and selects only that.
  doc.regions().paste();
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`14", "A", "`14", "A"}));
  EXPECT_EQ(doc.regions().selection(), (QList<int>{3, 4}));
}

TEST_F(Region, ACopyOfNothingIsTheHeaderAlone) {
  clipboard(QStringLiteral("%Fum%\r\n1\r\n2\r\n3\r\n4\r\n"));
  doc.regions().paste();
  EXPECT_TRUE(doc.regions().selectionCommandsEnabled());
  doc.regions().copy();
  EXPECT_EQ(view.clipboard, QStringLiteral("%Fum%\r\n1\r\n2\r\n3\r\n4\r\n"));
}

TEST_F(Region, PasteFollowsTheFirstLineOfTheClipboard) {
  const std::pair<QString, bool> cases[] = {
      {TwoInputRegionText, true},
      {QStringLiteral("%Fum% \r\n1\r\n2\r\n3\r\n4\r\n"), false},
      {QString(), false},
      {QStringLiteral("%Fum%\n1\n2\n3\n4\n"), true},
      {QStringLiteral("hello"), false}};
  for (const auto &[text, enabled] : cases) {
    clipboard(text);
    EXPECT_EQ(doc.regions().pasteEnabled(), enabled) << text.toStdString();
  }
  doc.regions().paste();  // refused while disabled
  EXPECT_EQ(doc.page().count(), 0);
}

// Paste keeps its state while a slow clipboard reads, follows only the
// newest change, and a paste meanwhile fetches the text it pastes.
TEST_F(Region, ASlowClipboardLetsPasteFollowItsNewestTextOnly) {
  const auto enabled = [this] { return doc.regions().pasteEnabled(); };
  clipboard(QStringLiteral("hello"));
  view.slowClipboard = true;
  clipboard(TwoInputRegionText);
  clipboard(QStringLiteral("hello again"));
  EXPECT_FALSE(enabled());
  view.heldHeads[0]();  // overtaken by the next change
  EXPECT_FALSE(enabled());
  clipboard(TwoInputRegionText);
  view.heldHeads[1]();  // overtaken too
  view.heldHeads[2]();
  EXPECT_TRUE(enabled());
  // Another program's text, not told yet: the paste does nothing.
  view.clipboard = QStringLiteral("hello");
  doc.regions().paste();
  EXPECT_EQ(doc.page().count(), 0);
  // A copy overtakes the head still on its way.
  clipboard(QStringLiteral("hello"));
  add("`1", 100, 100);
  drag({0, 0}, {200, 200});
  doc.regions().copy();
  view.heldHeads[3]();
  EXPECT_TRUE(enabled());
  doc.regions().paste();
  EXPECT_EQ(contents(), (QList<QByteArray>{"`1", "`1"}));
}

TEST_F(Region, AFaultyRegionTextTouchesNothing) {
  add("`1", 100, 100);
  drag({50, 50}, {150, 150});
  doc.setModified(false);
  const auto notAnInteger = [](const char *text) {
    return QStringLiteral("'%1' は整数ではありません.")
        .arg(QLatin1String(text));
  };
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("%Fum%\r\n1\r\n2\r\nx\r\n4\r\n"), notAnInteger("x")},
      {QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n9\r\nA\r\n5\r\n"),
       notAnInteger("")},
      {QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n9\r\nA\r\n1.5\r\n5\r\n"),
       notAnInteger("1.5")},
      {QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n9\r\n♬\r\n5\r\n5\r\n"),
       text_entry::unheldMessage(QStringLiteral("♬"))},
      // A huge line is quoted by its head.
      {QStringLiteral("%Fum%\r\n") + QString(1 << 20, QLatin1Char('x')),
       QStringLiteral("'%1…' は整数ではありません.").arg(QString(60, 'x'))}};
  for (const auto &[text, message] : cases) {
    messages = ScriptedMessages();
    clipboard(text);
    doc.regions().paste();
    EXPECT_EQ(messages.texts(), QStringList{message});
    EXPECT_EQ(contents(), QList<QByteArray>{"`1"});
    EXPECT_EQ(doc.regions().selection(), QList<int>{0});
    EXPECT_EQ(rect(), (Rect{50, 50, 150, 150}));
    EXPECT_FALSE(doc.isModified());
  }
}

TEST_F(Region, OnlyPageChangesMarkThePageModified) {
  add("`1", 100, 100);
  clipboard(QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n9\r\n"));
  struct Command {
    const char *name;
    std::function<void()> run;
    bool changesPage;
  };
  const Command commands[] = {
      {"select",
       [&] {
         drag({50, 50}, {150, 150});
       },
       false},
      {"copy", [&] { doc.regions().copy(); }, false},
      {"redraw", [&] { doc.regions().redrawWithoutFrame(); }, false},
      {"hide", [&] { doc.input().setMode(EditMode::None); }, false},
      {"paste", [&] { doc.regions().paste(); }, true},
      {"duplicate", [&] { doc.regions().duplicate(); }, true},
      {"move", [&] { doc.regions().moveByArrow(MoveArrow::Up, {}); }, true},
      {"delete", [&] { doc.regions().remove(); }, true},
      {"cut", [&] { doc.regions().cut(); }, true}};
  for (const auto &[name, run, changesPage] : commands) {
    doc.input().setMode(EditMode::Rect);
    drag({50, 50}, {150, 150});
    doc.setModified(false);
    run();
    EXPECT_EQ(doc.isModified(), changesPage) << name;
  }
}

TEST_F(Region, LeavingTheModeTakesTheFrameAway) {
  add("`1", 100, 100);
  drag({50, 50}, {150, 150});
  const int redraws = view.paperRedraws.size();
  doc.input().setMode(EditMode::None);
  EXPECT_EQ(view.paperRedraws.size(), redraws + 1);
  EXPECT_EQ(rect(), (Rect{0, 0, 0, 0}));
  EXPECT_FALSE(doc.regions().selectionCommandsEnabled());
  // A band half drawn goes too, and the release after it selects nothing.
  doc.input().setMode(EditMode::Rect);
  doc.input().mousePressed(Qt::LeftButton, {}, {50, 50});
  doc.input().mouseMoved({}, {150, 150});
  doc.input().setMode(EditMode::None);
  EXPECT_TRUE(view.framesShown.isEmpty());
  doc.input().setMode(EditMode::Rect);
  doc.input().mouseReleased(Qt::LeftButton, {150, 150});
  EXPECT_TRUE(view.framesShown.isEmpty());
  EXPECT_TRUE(doc.regions().selection().isEmpty());
}

TEST_F(Region, MovesPastTheRangeOfNumbersMoveNothing) {
  // A pasted input at (x, y) in the frame 0, 0, 9, `bottom`.
  const struct Case {
    int x, y, bottom;
    std::function<void()> move;
  } cases[] = {
      {INT_MAX - 9, 5, 9,
       [&] { doc.regions().moveByArrow(MoveArrow::Right, Qt::ShiftModifier); }},
      {5, 5, INT_MAX, [&] { doc.regions().moveByArrow(MoveArrow::Down, {}); }},
      {5, INT_MIN + 63, 9, [&] { doc.edits().shiftPageUp(); }},
      {5, INT_MAX - 63, 9, [&] { doc.edits().shiftPageDown(); }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.bottom);
    doc.newPage();
    clipboard(QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n%1\r\n`1\r\n%2\r\n%3\r\n")
                  .arg(c.bottom)
                  .arg(c.x)
                  .arg(c.y));
    doc.regions().paste();
    const InputList before = doc.page().Inputs;
    messages = ScriptedMessages();
    c.move();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("これ以上動かせません。")});
    EXPECT_EQ(doc.page().Inputs, before);
    EXPECT_EQ(rect(), (Rect{0, 0, 9, c.bottom}));
  }
}

TEST_F(Region, LeavingTheModeLetsAFramelessPasteGo) {
  add("`1", 100, 100);
  clipboard(QStringLiteral("%Fum%\r\n0\r\n0\r\n0\r\n0\r\n`2\r\n5\r\n5\r\n"));
  doc.regions().paste();
  ASSERT_EQ(doc.regions().selection(), QList<int>{1});
  doc.input().setMode(EditMode::None);
  EXPECT_TRUE(doc.regions().selection().isEmpty());
  EXPECT_FALSE(doc.regions().selectionCommandsEnabled());
  // Back in the mode, an arrow moves nothing the user did not choose.
  doc.input().setMode(EditMode::Rect);
  doc.regions().moveByArrow(MoveArrow::Down, {});
  EXPECT_EQ(ysOf(doc.page().Inputs), (QList<QByteArray>{"100", "5"}));
}
