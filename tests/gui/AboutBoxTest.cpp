#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/windows/AboutBox.h"
#include "support/ProgramFixture.h"

namespace {

class AboutDialog : public ProgramTest {
 protected:
  // The box as the Help menu shows it, but without a modal loop.
  AboutBox &showBox() {
    // It belongs to the main window, and goes with it at a restart.
    box = new AboutBox(&form(), doc());
    box->show();
    return *box;
  }
  QCheckBox *option() { return child<QCheckBox>(*box, "CheckBox1"); }
  QPushButton *ok() { return child<QPushButton>(*box, "Button1"); }
  QString note() { return child<QLabel>(*box, "Label4")->text(); }
  bool editingShown() {
    return toolButton("SpeedButton1")->isVisibleTo(&form());
  }

  QPointer<AboutBox> box;
};

enum class Ending { Ok, Escape, CloseBox };

}  // namespace

TEST_F(AboutDialog, ShowsTheProgramIconCentredOnTheScreen) {
  showBox();
  const QPixmap icon = child<QLabel>(*box, "Image1")->pixmap();
  EXPECT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(32, 32));
  const QPoint centre = box->screen()->availableGeometry().center();
  EXPECT_LE((box->frameGeometry().center() - centre).manhattanLength(), 1);
}

// However the box ends, the check box decides the option, and the main
// window shows or hides its editing controls at once.
TEST_F(AboutDialog, TheCheckBoxSwitchesTheExecutiveOptionWhenTheBoxEnds) {
  const struct {
    const char *name;
    bool before;
    Ending ending;
  } cases[] = {
      {"ticked, OK", false, Ending::Ok},
      {"unticked, OK", true, Ending::Ok},
      {"ticked, Escape", false, Ending::Escape},
      {"unticked, close box", true, Ending::CloseBox},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    doc().session().setExecutive(c.before);
    showBox();
    EXPECT_EQ(option()->isChecked(), c.before);
    QTest::mouseClick(option(), Qt::LeftButton);
    EXPECT_EQ(doc().session().executive(), c.before)
        << "changed before the box ended";
    switch (c.ending) {
      case Ending::Ok:
        QTest::mouseClick(ok(), Qt::LeftButton);
        break;
      case Ending::Escape:
        QTest::keyClick(option(), Qt::Key_Escape);
        break;
      case Ending::CloseBox:
        box->close();
        break;
    }
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(doc().session().executive(), !c.before);
    EXPECT_EQ(editingShown(), !c.before);
  }
}

// Only a mouse release over "OK" with exactly Ctrl held enters the
// administrator mode; the box closes either way.
TEST_F(AboutDialog, CtrlWithTheMouseOnOkEntersTheAdministratorMode) {
  const struct {
    const char *name;
    Qt::KeyboardModifiers keys;
    bool byEnter;
    QPoint releasedAt;  // relative to the centre of "OK"
    bool administrator;
  } cases[] = {
      {"Ctrl", Qt::ControlModifier, false, {}, true},
      {"Ctrl+Shift", Qt::ControlModifier | Qt::ShiftModifier, false, {}, false},
      {"Ctrl+Alt", Qt::ControlModifier | Qt::AltModifier, false, {}, false},
      {"no key", Qt::NoModifier, false, {}, false},
      {"Ctrl, released off OK", Qt::ControlModifier, false, {0, 200}, false},
      {"Enter with Ctrl", Qt::ControlModifier, true, {}, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    start();
    showBox();
    if (c.byEnter) {
      QTest::keyClick(option(), Qt::Key_Return, c.keys);
    } else {
      const QPoint centre = ok()->rect().center();
      QTest::mousePress(ok(), Qt::LeftButton, c.keys, centre);
      QTest::mouseRelease(ok(), Qt::LeftButton, c.keys, centre + c.releasedAt);
    }
    EXPECT_EQ(doc().editor().AdministratorMode, c.administrator);
    EXPECT_EQ(box->isVisible(), !c.releasedAt.isNull());
  }
}

TEST_F(AboutDialog, CtrlWithAnotherMouseButtonStillDownDoesNotCount) {
  showBox();
  const QPoint centre = ok()->rect().center();
  QTest::mousePress(ok(), Qt::RightButton, Qt::ControlModifier, centre);
  QTest::mouseClick(ok(), Qt::LeftButton, Qt::ControlModifier, centre);
  EXPECT_FALSE(doc().editor().AdministratorMode);
  // Let go of the right button too, for the tests that follow.
  QTest::mouseRelease(ok(), Qt::RightButton, Qt::NoModifier, centre);
}

// The note under "DataFile :" is the open course's, read anew at each
// showing: a page opened on its own has none.
TEST_F(AboutDialog, ShowsTheNoteOfTheOpenCourse) {
  scratch.write(QStringLiteral("c/序.fum"),
                "Fum[x]\r\n^1|4|610|\r\nEnd[x]\r\n");
  const QString course =
      scratch.write(QStringLiteral("c/講座.vrn"),
                    "/" + sjis(QStringLiteral("題")) + "\r\n\\" +
                        sjis(QStringLiteral("サンプル・データ 第2版")) +
                        "\r\n" + sjis(QStringLiteral("序")) + "\r\n");
  doc().files().openFile(course);
  showBox();
  EXPECT_EQ(note(), QStringLiteral("サンプル・データ 第2版"));
  box->hide();

  doc().files().openFile(scratch.file(QStringLiteral("c/序.fum")));
  box->show();
  EXPECT_EQ(note(), QString());
}
