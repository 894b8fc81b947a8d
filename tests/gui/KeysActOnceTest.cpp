#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/windows/QtMessages.h"
#include "support/ProgramFixture.h"

// A key whose command opens a real message box acts once: the scripted
// messages open no box, so only real ones show a key read twice.

namespace {

class KeysActOnce : public ProgramTest {
 protected:
  KeysActOnce() {
    player.outputs = 1;
    start({}, boxes);
    boxes.setParentWindow(&form());
    // Every box that opens is answered, and its text kept.
    answerer.setInterval(0);
    QObject::connect(&answerer, &QTimer::timeout, [this] {
      auto *box =
          qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      if (!box) return;
      texts << box->text();
      QAbstractButton *button = box->button(answer);
      if (!button || texts.size() > 3) button = box->button(QMessageBox::Ok);
      (button ? button : box->button(QMessageBox::Cancel))->click();
    });
    answerer.start();
    form().show();  // its first showing opens the start file
    for (const char *name : {"one", "two", "three"})
      scratch.write(QStringLiteral("c/%1.fum").arg(name),
                    QStringLiteral("Fum[%1]\r\n^1|4|610|\r\nEnd[%1]\r\n")
                        .arg(name)
                        .toLatin1());
    // The middle page's piece is refused: its play keys find no device.
    player.refused << scratch.write(QStringLiteral("c/two.mid"), "MThd");
    doc().files().openFile(scratch.write(QStringLiteral("c/c.vrn"),
                                         "/c\r\none\r\ntwo\r\nthree\r\n"));
  }
  ~KeysActOnce() override { program.reset(); }  // before the boxes go

  QtMessages boxes;
  QTimer answerer;
  QMessageBox::StandardButton answer = QMessageBox::Ok;
  QStringList texts;
};

}  // namespace

TEST_F(KeysActOnce, KeysThatOpenABoxActOnceInBothWindows) {
  const QString save = QStringLiteral("現在の譜面をファイルに保存しますか？");
  const struct Case {
    QKeyCombination key;
    QMessageBox::StandardButton answer;
    int shown;  // the entry shown afterwards, from the second
    QString box;
  } cases[] = {
      {Qt::Key_F12, QMessageBox::No, 2, save},
      {Qt::Key_F12, QMessageBox::Cancel, 1, save},
      {Qt::Key_F11, QMessageBox::No, 0, save},
      {Qt::CTRL | Qt::Key_Period, QMessageBox::No, 2, save},
      {Qt::CTRL | Qt::Key_Comma, QMessageBox::Cancel, 1, save},
      {Qt::Key_F4, QMessageBox::Ok, 1,
       MediaPlayer::noDeviceMessage() + QLatin1Char('.')},
  };
  for (QWidget *window : {static_cast<QWidget *>(&form()),
                          static_cast<QWidget *>(&program->text())}) {
    for (const Case &c : cases) {
      SCOPED_TRACE(
          QKeySequence(c.key).toString().toStdString() +
          (window == &form() ? " in the main window" : " in the memo"));
      answer = QMessageBox::Ok;
      doc().setModified(false);
      doc().navigator().selectEntry(1);
      doc().setModified(true);
      window->show();
      window->activateWindow();
      QApplication::processEvents();
      QWidget *focus = QApplication::focusWidget();
      texts.clear();
      answer = c.answer;
      QTest::keyClick(focus && focus->window() == window ? focus : window,
                      c.key.key(), c.key.keyboardModifiers());
      EXPECT_EQ(texts, QStringList{c.box});
      EXPECT_EQ(doc().navigator().selectedEntry(), c.shown);
    }
  }
}
