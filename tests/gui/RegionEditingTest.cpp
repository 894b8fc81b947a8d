#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QToolButton>

#include "InputFixture.h"
#include "edit/windows/RectEditWindow.h"
#include "score/render/Canvas.h"
#include "support/SampleRegions.h"

// The rectangle window and the rubber band on the real main window: the
// mouse on the canvas, the frame's pixels and the system clipboard.

namespace {

class RegionEditing : public InputTest {
 protected:
  RegionEditing() {
    doc().appendInput("`1", 10, 10);
    doc().appendInput("`14", 150, 72);
    doc().appendInput("A", 200, 100);
    doc().setModified(false);
    action("Rect1")->trigger();
  }

  RectEditWindow &window() { return program->rect(); }
  QToolButton *button(const char *name) {
    return child<QToolButton>(window(), name);
  }
  void drag(QPoint from, QPoint to) {
    QTest::mousePress(canvasView(), Qt::LeftButton, {}, from);
    QTest::mouseMove(canvasView(), (from + to) / 2);
    QTest::mouseMove(canvasView(), to);
    QTest::mouseRelease(canvasView(), Qt::LeftButton, {}, to);
  }
  // The page as a fresh redraw shows it, with no frame or with one.
  QImage clean() {
    Canvas fresh;
    fresh.ResizeCanvas(page().StaffCount, page().StaffWidth);
    fresh.ReplayInputs(page());
    return fresh.image();
  }
  QImage framed(int left, int top, int right, int bottom) {
    Canvas fresh;
    fresh.ResizeCanvas(page().StaffCount, page().StaffWidth);
    fresh.ReplayInputs(page());
    fresh.xorFrame(left, top, right, bottom);
    return fresh.image();
  }
};

}  // namespace

TEST_F(RegionEditing, ARubberBandDragSelectsAndFrames) {
  QTest::mousePress(canvasView(), Qt::LeftButton, {}, {300, 120});
  QTest::mouseMove(canvasView(), {200, 80});
  EXPECT_EQ(canvas(), framed(200, 80, 300, 120)) << "the band follows";
  QTest::mouseMove(canvasView(), {100, 40});
  QTest::mouseRelease(canvasView(), Qt::LeftButton, {}, {100, 40});
  EXPECT_EQ(doc().regions().selection(), (QList<int>{1, 2}));
  EXPECT_TRUE(button("SpeedButton3")->isEnabled());
  // The frame runs from the top left corner to one pixel before the bottom
  // right, each of its pixels XORed with RGB(0, 128, 0).
  const QImage paper = clean();
  const auto flipped = [&](int x, int y) {
    return canvas().pixel(x, y) == (paper.pixel(x, y) ^ 0x008000u);
  };
  for (QPoint p : {QPoint(100, 40), QPoint(299, 40), QPoint(100, 119),
                   QPoint(299, 119), QPoint(200, 40), QPoint(100, 80)})
    EXPECT_TRUE(flipped(p.x(), p.y())) << p.x() << "," << p.y();
  for (QPoint p : {QPoint(300, 40), QPoint(100, 120), QPoint(300, 120),
                   QPoint(101, 41), QPoint(99, 39)})
    EXPECT_EQ(canvas().pixel(p), paper.pixel(p)) << p.x() << "," << p.y();
  EXPECT_EQ(canvas(), framed(100, 40, 300, 120));
}

// Zoomed in, the band is drawn in page pixels: the drag selects and
// frames what the same drag at the natural size does.
TEST_F(RegionEditing, ADragAt300PercentSelectsInPagePixels) {
  zoomTo(300);
  drag(shownAt(100, 40, 300) + QPoint(2, 1), shownAt(300, 120, 300));
  EXPECT_EQ(doc().regions().selection(), (QList<int>{1, 2}));
  EXPECT_EQ(canvas(), framed(100, 40, 300, 120));
  // The screen shows that frame alone, the band's way to it taken back.
  const QImage shown =
      canvasView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect left(0, 0, 590, shown.height());  // short of the text
  EXPECT_EQ(shown.copy(left),
            blockScaled(canvas(), 3, shown.size()).copy(left));
}

TEST_F(RegionEditing, CopyAndPasteGoThroughTheSystemClipboard) {
  QClipboard *clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("hello"));
  EXPECT_FALSE(button("SpeedButton4")->isEnabled());
  drag({100, 40}, {300, 120});
  QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
  EXPECT_EQ(clipboard->text(), TwoInputRegionText);
  ASSERT_TRUE(button("SpeedButton4")->isEnabled());
  QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
  EXPECT_EQ(contentsOf(page().Inputs),
            (QList<QByteArray>{"`1", "`14", "A", "`14", "A"}));
  EXPECT_EQ(doc().regions().selection(), (QList<int>{3, 4}));
  EXPECT_EQ(canvas(), framed(100, 40, 300, 120));
  // A region text any program leaves there can be pasted.
  clipboard->setText(
      QStringLiteral("%Fum%\r\n0\r\n0\r\n9\r\n9\r\nB\r\n5\r\n6"));
  QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
  EXPECT_EQ(lastInput(), (QList<QByteArray>{"B", "5", "6"}));
}

TEST_F(RegionEditing, HidingTheWindowLeavesACleanCanvas) {
  drag({100, 40}, {300, 120});
  window().close();
  EXPECT_FALSE(doc().editor().Mode == EditMode::Rect);
  EXPECT_EQ(canvas(), clean());
  EXPECT_FALSE(button("SpeedButton5")->isEnabled());
  EXPECT_FALSE(doc().isModified());
}

TEST_F(RegionEditing, ArrowsMoveWhenAnyMouseButtonIsLetGo) {
  drag({100, 40}, {300, 120});
  QTest::mousePress(button("SpeedButton9"), Qt::RightButton);
  QTest::mouseRelease(button("SpeedButton9"), Qt::RightButton,
                      Qt::ShiftModifier);
  QTest::mouseClick(button("SpeedButton8"), Qt::LeftButton,
                    Qt::ControlModifier);
  EXPECT_EQ(xsOf(page().Inputs), (QList<QByteArray>{"10", "183", "233"}));
  EXPECT_EQ(ysOf(page().Inputs), (QList<QByteArray>{"10", "136", "164"}));
  EXPECT_EQ(canvas(), framed(133, 104, 333, 184));
  // Redraw drops the selection; a disabled arrow moves nothing.
  child<QAction>(window(), "Redraw1")->trigger();
  EXPECT_EQ(canvas(), clean());
  QTest::mouseClick(button("SpeedButton9"), Qt::LeftButton);
  EXPECT_EQ(ysOf(page().Inputs).last(), "164");
}

TEST_F(RegionEditing, TheWindowsMenuShiftsThePageAndDropsTheSelection) {
  EXPECT_EQ(window().windowTitle(), QStringLiteral("矩形編集"));
  QStringList items;
  for (QAction *item : child<QMenu>(window(), "Edit1")->actions())
    items << item->text();
  EXPECT_EQ(items, (QStringList{"元に戻す: 入力", "やり直し", "", "再描画(&R)",
                                "", "全体シフト(&S)", "五線紙の設定(&G)...", "",
                                "すべて選択(&A)"}));
  child<QAction>(window(), "SelectAll1")->trigger();
  EXPECT_EQ(doc().regions().selection(), (QList<int>{0, 1, 2}));
  child<QAction>(window(), "K4")->trigger();
  EXPECT_EQ(ysOf(page().Inputs), (QList<QByteArray>{"74", "136", "164"}));
  EXPECT_FALSE(button("SpeedButton6")->isEnabled());
  EXPECT_EQ(canvas(), clean());
  // The staff paper dialog, cancelled, still ends the selection.
  child<QAction>(window(), "SelectAll1")->trigger();
  bool asked = false;
  form().setPaperDialogRunner([&](StaffPaperDialog &) { asked = true; });
  child<QAction>(window(), "K2")->trigger();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(button("SpeedButton6")->isEnabled());
}

TEST_F(RegionEditing, ButtonsSitWhereTheWindowSaysWithTheirCaptions) {
  const std::tuple<const char *, const char *, QRect> buttons[] = {
      {"SpeedButton2", "切り取り", {0, 0, 57, 17}},
      {"SpeedButton3", "コピー", {0, 16, 57, 17}},
      {"SpeedButton4", "貼り付け", {0, 32, 57, 17}},
      {"SpeedButton1", "二重化", {0, 56, 57, 17}},
      {"SpeedButton5", "削除", {0, 72, 57, 17}},
      {"SpeedButton6", "↑", {88, 0, 25, 25}},
      {"SpeedButton7", "←", {64, 24, 25, 25}},
      {"SpeedButton8", "→", {112, 24, 25, 25}},
      {"SpeedButton9", "↓", {88, 48, 25, 25}}};
  for (const auto &[name, caption, place] : buttons) {
    EXPECT_EQ(button(name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(button(name)->geometry(), place) << name;
    EXPECT_EQ(button(name)->parentWidget()->size(), QSize(139, 89));
  }
}
