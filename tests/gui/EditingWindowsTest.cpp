#include <QAbstractSpinBox>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "score/render/Canvas.h"
#include "support/ProgramFixture.h"
#include "support/TestFiles.h"

// The step-erase window and the clef and barline dialog on the real main
// window: what they show and what they leave on the canvas.

namespace {

class EditingWindows : public ProgramTest {
 protected:
  // The page as a fresh redraw shows it, without any marker.
  QImage clean() {
    Canvas canvas;
    canvas.ResizeCanvas(page().StaffCount, page().StaffWidth);
    canvas.ReplayInputs(page());
    return canvas.image();
  }
};

}  // namespace

TEST_F(EditingWindows, StepEraseMarksErasesAndLeavesACleanCanvas) {
  for (int i = 1; i <= 5; ++i) doc().appendInput("`24", 40 * i, 40);
  bool ran = false;
  form().setDialogRunner([&](QDialog &window) {
    window.show();
    auto *bar = child<QScrollBar>(window, "ScrollBar1");
    auto *erase = child<QPushButton>(window, "Button1");
    EXPECT_EQ(bar->maximum(), 5);
    EXPECT_FALSE(erase->isEnabled());
    bar->setValue(3);
    // The marker around (120, 40): its inside darker green, its outline
    // pure green, both XORed onto the white paper.
    const QImage &marked = form().canvasImage();
    EXPECT_EQ(marked.pixel(122, 38) & 0xFFFFFF, 0xFF7FFFu);
    EXPECT_EQ(marked.pixel(115, 35) & 0xFFFFFF, 0xFF00FFu);
    QTest::mouseClick(erase, Qt::LeftButton);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(bar->maximum(), 4);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    ran = true;
  });
  action("Erase1")->trigger();
  ASSERT_TRUE(ran);
  EXPECT_EQ(page().count(), 4);
  EXPECT_EQ(form().canvasImage(), clean());
}

TEST_F(EditingWindows, ClefDialogJoinsSystemsOnlyWithBarlines) {
  bool ran = false;
  form().setDialogRunner([&](QDialog &dialog) {
    dialog.show();
    auto *barlines = child<QGroupBox>(dialog, "RadioGroup2");
    auto *systems = child<QGroupBox>(dialog, "RadioGroup3");
    const QList<QRadioButton *> items =
        barlines->findChildren<QRadioButton *>();
    QTest::mouseClick(items[0], Qt::LeftButton);  // "書かない"
    EXPECT_FALSE(systems->isEnabled());
    QTest::mouseClick(items[1], Qt::LeftButton);  // "３小節分割"
    EXPECT_TRUE(systems->isEnabled());
    QTest::mouseClick(child<QPushButton>(dialog, "Button1"), Qt::LeftButton);
    ran = true;
  });
  action("AutoDraw1")->trigger();
  ASSERT_TRUE(ran);
  // A treble clef and three barlines on the first staff, drawn at once.
  EXPECT_EQ(page().count(), 4);
  EXPECT_TRUE(doc().isModified());
  EXPECT_EQ(form().canvasImage(), clean());
}

TEST_F(EditingWindows, ClefDialogReadsItsFieldsAsTyped) {
  // Treble clefs and four bars, the first choices: five inputs a staff.
  const struct Case {
    const char *first, *count;
    int added, firstY;
  } cases[] = {{"2", "3", 15, 112}, {"1", "0", 0, 0},     {"1", "-1", 0, 0},
               {"2", "x", 5, 112},  {"40", "1", 5, 2544}, {"", "1", 5, 48}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.count);
    form().setDialogRunner([&](QDialog &dialog) {
      dialog.show();
      QAbstractSpinBox *field = nullptr;
      for (const auto &[name, text] :
           {std::pair{"SpinEdit1", c.first}, {"SpinEdit2", c.count}}) {
        field = child<QAbstractSpinBox>(dialog, name);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromUtf8(text));
      }
      QTest::keyClick(field, Qt::Key_Return);  // the dialog's OK
    });
    const int before = page().count();
    action("AutoDraw1")->trigger();
    ASSERT_EQ(page().count() - before, c.added);
    if (c.added) {
      EXPECT_EQ(ysOf(page().Inputs)[before].toInt(), c.firstY);
    }
  }
}

TEST_F(EditingWindows, AboutBoxFromTheHelpMenuSwitchesTheModes) {
  form().setDialogRunner([&](QDialog &box) {
    box.show();
    child<QCheckBox>(box, "CheckBox1")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(box, "Button1"), Qt::LeftButton,
                      Qt::ControlModifier);
  });
  action("About1")->trigger();
  EXPECT_TRUE(doc().session().executive());
  EXPECT_TRUE(doc().editor().AdministratorMode);
  EXPECT_EQ(program->text().windowTitle(), QStringLiteral("Administrator"));
  EXPECT_TRUE(toolButton("SpeedButton1")->isVisibleTo(&form()));
}
