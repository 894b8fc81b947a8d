#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/windows/QtMessages.h"
#include "support/ProgramFixture.h"

// A key whose command opens a real message box acts once: the scripted
// messages open no box, so only real ones show a key read twice.

namespace {

QByteArray pageNamed(const QByteArray &name) {
  return "Fum[" + name + "]\r\n^1|4|610|\r\nEnd[" + name + "]\r\n";
}

// Answers every message box that opens, and keeps its text.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto *box =
          qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      if (!box) return;
      texts << box->text();
      QAbstractButton *button = box->button(answer);
      // A box that keeps coming back is let go.
      if (!button || texts.size() > 3) button = box->button(QMessageBox::Ok);
      if (!button) button = box->button(QMessageBox::Cancel);
      button->click();
    });
    timer_.start();
  }
  QMessageBox::StandardButton answer = QMessageBox::Ok;
  QStringList texts;

 private:
  QTimer timer_;
};

class KeysActOnce : public ProgramTest {
 protected:
  KeysActOnce() {
    player.outputs = 1;
    start({}, boxes);
    boxes.setParentWindow(&form());
    doc().setExecutive(true);
  }
  ~KeysActOnce() override { program.reset(); }  // before the boxes go
  // A course of three pages, the first with a piece its sequencer refuses.
  void openCourse() {
    form().show();  // its first showing opens the start file
    QApplication::processEvents();
    scratch.write(QStringLiteral("c/one.fum"), pageNamed("one"));
    player.refused << scratch.write(QStringLiteral("c/one.mid"), "MThd");
    scratch.write(QStringLiteral("c/two.fum"), pageNamed("two"));
    scratch.write(QStringLiteral("c/three.fum"), pageNamed("three"));
    doc().OpenFile(scratch.write(QStringLiteral("c/c.vrn"),
                                 "/course\r\none\r\ntwo\r\nthree\r\n"));
  }
  // Where a key typed into the window arrives: its focused control.
  QWidget *keys(QWidget &window) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == &window ? focus : &window;
  }

  QtMessages boxes;
  BoxAnswerer answerer;
};

}  // namespace

TEST_F(KeysActOnce, KeysThatOpenABoxActOnceInBothWindows) {
  const QString save = QStringLiteral("現在の譜面をファイルに保存しますか？");
  const QString noDevice = MediaPlayer::noDeviceMessage() + QLatin1Char('.');
  const struct Case {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool modified;
    int from;
    QMessageBox::StandardButton answer;
    int shown;  // the entry shown afterwards
    QString box;
  } cases[] = {
      {"F12, No", Qt::Key_F12, {}, true, 0, QMessageBox::No, 1, save},
      {"F12, Cancel", Qt::Key_F12, {}, true, 0, QMessageBox::Cancel, 0, save},
      {"F11, No", Qt::Key_F11, {}, true, 2, QMessageBox::No, 1, save},
      {"Ctrl+., No", Qt::Key_Period, Qt::ControlModifier, true, 0,
       QMessageBox::No, 1, save},
      {"Ctrl+,, Cancel", Qt::Key_Comma, Qt::ControlModifier, true, 2,
       QMessageBox::Cancel, 2, save},
      {"F4 without a device",
       Qt::Key_F4,
       {},
       false,
       0,
       QMessageBox::Ok,
       0,
       noDevice},
  };
  openCourse();
  for (QWidget *window : {static_cast<QWidget *>(&form()),
                          static_cast<QWidget *>(&program->text())}) {
    for (const Case &c : cases) {
      SCOPED_TRACE(std::string(c.name) + (window == &form()
                                              ? " in the main window"
                                              : " in the memo"));
      answerer.answer = QMessageBox::Ok;
      doc().setModified(false);
      doc().selectEntry(c.from);
      doc().setModified(c.modified);
      QWidget *target = keys(*window);
      answerer.texts.clear();
      answerer.answer = c.answer;
      QTest::keyClick(target, c.key, c.modifiers);
      EXPECT_EQ(answerer.texts, QStringList{c.box});
      EXPECT_EQ(doc().selectedEntry(), c.shown);
    }
  }
}
