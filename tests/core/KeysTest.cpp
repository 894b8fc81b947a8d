#include <gtest/gtest.h>

#include <QDir>
#include <functional>

#include "app/core/KeyHelpCaption.h"
#include "app/core/WindowKeys.h"
#include "base/core/Messages.h"
#include "support/DocumentSession.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// The function keys of the main window and the text window, with and
// without a course and a piece, and the line-length command.

namespace {

struct Keys : DocumentSession {
  Keys() : DocumentSession(1) {
    for (const char *name : {"one", "two", "three"})
      scratch.write(QString::fromLatin1(name) + ".fum", quarterNotesPage(name));
    scratch.write(QStringLiteral("two.mid"), "MThd");
    scratch.write(QStringLiteral("c.vrn"), "one\r\ntwo\r\nthree\r\n");
  }

  // The second page of the course, whose piece lies beside it.
  void inCourse() {
    doc.files().openFile(scratch.file(QStringLiteral("c.vrn")));
    doc.navigator().goToNextPage();
  }
  // The same page alone, without its course.
  void pageAlone() {
    doc.files().openFile(scratch.file(QStringLiteral("two.fum")));
  }
};

}  // namespace

TEST(KeyTable, EachKeyWithItsModifiersInEachWindow) {
  using W = WindowKeyAction;
  constexpr auto None = Qt::NoModifier, Ctrl = Qt::ControlModifier,
                 Shift = Qt::ShiftModifier, Alt = Qt::AltModifier;
  enum Setup { Course, Alone, Playing };
  const struct Case {
    const char *name;
    Setup setup;
    KeyWindow window;
    int key;
    Qt::KeyboardModifiers modifiers;
    WindowKeyAction action;
    int entry;           // the course's page afterwards (1: unchanged)
    const char *player;  // what the piece was asked, or ""
  } cases[] = {
      {"page up", Course, KeyWindow::Main, Qt::Key_PageUp, None, W::ScrollUp, 1,
       ""},
      {"page down", Course, KeyWindow::Main, Qt::Key_PageDown, None,
       W::ScrollDown, 1, ""},
      {"end", Course, KeyWindow::Main, Qt::Key_End, None, W::ScrollRight, 1,
       ""},
      {"home", Course, KeyWindow::Main, Qt::Key_Home, None, W::ScrollLeft, 1,
       ""},
      {"memo pages itself", Course, KeyWindow::Text, Qt::Key_PageDown, None,
       W::None, 1, ""},
      {"shift page down", Course, KeyWindow::Main, Qt::Key_PageDown, Shift,
       W::None, 1, ""},
      {"keypad counts as no modifier", Course, KeyWindow::Main,
       Qt::Key_PageDown, Qt::KeypadModifier, W::ScrollDown, 1, ""},
      {"F1", Course, KeyWindow::Text, Qt::Key_F1, None, W::ShowKeyHelp, 1, ""},
      {"ctrl F1", Course, KeyWindow::Main, Qt::Key_F1, Ctrl, W::None, 1, ""},
      {"F2 main", Course, KeyWindow::Main, Qt::Key_F2, None, W::ShowTextWindow,
       1, ""},
      {"F2 text", Course, KeyWindow::Text, Qt::Key_F2, None, W::HideTextWindow,
       1, ""},
      {"F3 plays", Course, KeyWindow::Text, Qt::Key_F3, None, W::None, 1,
       "play"},
      {"F3 stops", Playing, KeyWindow::Main, Qt::Key_F3, None, W::None, 1,
       "stop"},
      {"shift F3", Course, KeyWindow::Main, Qt::Key_F3, Shift, W::None, 1, ""},
      {"F4", Playing, KeyWindow::Main, Qt::Key_F4, None, W::None, 1, "seek"},
      {"F11", Course, KeyWindow::Main, Qt::Key_F11, None, W::None, 0, ""},
      {"F12", Course, KeyWindow::Text, Qt::Key_F12, None, W::None, 2, ""},
      {"ctrl F11", Course, KeyWindow::Main, Qt::Key_F11, Ctrl, W::None, 1, ""},
      {"alt F12", Course, KeyWindow::Main, Qt::Key_F12, Alt, W::None, 1, ""},
      {"ctrl comma", Course, KeyWindow::Text, Qt::Key_Comma, Ctrl, W::None, 0,
       ""},
      {"ctrl full stop", Course, KeyWindow::Main, Qt::Key_Period, Ctrl, W::None,
       2, ""},
      {"ctrl shift full stop", Course, KeyWindow::Main, Qt::Key_Period,
       Ctrl | Shift, W::None, 1, ""},
      {"F12 without a course", Alone, KeyWindow::Main, Qt::Key_F12, None,
       W::None, -1, ""},
      {"ctrl comma without a course", Alone, KeyWindow::Main, Qt::Key_Comma,
       Ctrl, W::None, -1, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Keys k;
    if (c.setup == Alone) {
      k.pageAlone();
    } else {
      k.inCourse();
      if (c.setup == Playing) k.doc.playback().play();
    }
    k.sequencer.calls.clear();
    const QString page = k.doc.page().PagePath;
    EXPECT_EQ(pressWindowKey(k.doc.navigator(), k.doc.playback(), c.window,
                             c.key, c.modifiers),
              c.action);
    EXPECT_EQ(k.doc.navigator().selectedEntry(), c.entry);
    if (c.entry == 1 || c.entry == -1) {
      EXPECT_EQ(k.doc.page().PagePath, page);
    }
    // What the key asked of the piece; moving to another page closes it.
    k.sequencer.calls.removeAll(QStringLiteral("close"));
    k.sequencer.calls.removeIf(
        [](const QString &call) { return call.startsWith("open"); });
    EXPECT_EQ(k.sequencer.calls.join(' '), QString::fromLatin1(c.player));
    EXPECT_EQ(k.messages.beeps, 0);
  }
}

TEST(KeyTable, F3AndF4DoNothingWithoutAPiece) {
  Keys k;
  k.doc.files().openFile(k.scratch.file(QStringLiteral("one.fum")));
  for (int key : {Qt::Key_F3, Qt::Key_F4})
    pressWindowKey(k.doc.navigator(), k.doc.playback(), KeyWindow::Main, key,
                   Qt::NoModifier);
  EXPECT_TRUE(k.sequencer.calls.isEmpty());
  EXPECT_TRUE(k.messages.shown.isEmpty());
}

TEST(KeyHelp, HeldF1KeepsTheCaptionItReplaced) {
  KeyHelpCaption caption;
  const QString help = KeyHelpCaption::text();
  EXPECT_EQ(caption.show(QStringLiteral("a.fum")), help);
  EXPECT_EQ(caption.show(help), help);  // the key repeats
  EXPECT_EQ(caption.restore(help), QStringLiteral("a.fum"));
  // Released where it shows no help, a caption stays as it is.
  EXPECT_EQ(caption.restore(QStringLiteral("b")), QStringLiteral("b"));
  // One slot for both windows: pressed in one, then in the other.
  caption.show(QStringLiteral("main"));
  caption.show(QStringLiteral(" "));
  EXPECT_EQ(caption.restore(help), QStringLiteral(" "));
}

TEST(LineLength, TheNextSaveWritesLinesOfTheChosenLength) {
  Keys k;
  const struct {
    const char *typed;
    bool answered;
    int maxChar;
    const char *message;
  } cases[] = {
      {"60", true, 60, nullptr},
      {"abc", true, 60, "'abc' は整数ではありません."},
      {"90", false, 60, nullptr},  // cancelled
      {"3", true, 7, "一行の文字数は 7～256 です。7 にしました。"},
      {" 60", true, 60, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.typed);
    k.messages = ScriptedMessages();
    if (c.answered) k.messages.inputs = {QString::fromUtf8(c.typed)};
    k.doc.session().askLineLength();
    EXPECT_EQ(k.doc.session().maxChar(), c.maxChar);
    if (c.message) {
      ASSERT_EQ(k.messages.shown.size(), 1);
      EXPECT_EQ(k.messages.shown[0].text, QString::fromUtf8(c.message));
    } else {
      EXPECT_TRUE(k.messages.shown.isEmpty());
    }
  }
  for (int i = 0; i < 30; ++i)
    k.doc.appendInput(QByteArray("Allegro moderato ma non troppo"), i, 40);
  k.messages.paths = {k.scratch.file(QStringLiteral("long.fum"))};
  ASSERT_TRUE(k.doc.saveAs());
  const QList<QByteArray> lines =
      readBytes(k.scratch.file(QStringLiteral("long.fum"))).split('\n');
  ASSERT_GT(lines.size(), 10);
  for (const QByteArray &line : lines)
    EXPECT_LE(line.size(), 61) << line.data();
}

// A line length in the settings outside its range is brought to the nearer
// bound.
TEST(LineLength, ASettingOutsideTheRangeIsBroughtIntoIt) {
  Keys k;
  const struct {
    const char *stored;
    int maxChar;
  } cases[] = {{"2", 7}, {"0x400", 256}, {"60", 60}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.stored);
    k.settings.writeString(QStringLiteral("Fum"), QStringLiteral("MaxChar"),
                           QString::fromLatin1(c.stored));
    k.doc.session().read();
    EXPECT_EQ(k.doc.session().maxChar(), c.maxChar);
  }
  EXPECT_TRUE(k.messages.shown.isEmpty());
}
