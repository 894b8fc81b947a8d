#include <gtest/gtest.h>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "support/DocumentSession.h"
#include "support/RecordingView.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// The settings file as running copies of the program meet it at start-up
// and shut-down: another copy writing it meanwhile, and a huge file.

namespace {

// One running copy of the program on the settings file `path`.
struct Copy {
  explicit Copy(const QString &path) : settings(path) {}
  bool close(const WindowLayout &layout) {
    return doc.session().write(layout, doc.navigator().course());
  }

  ScratchDir own;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings;
  RecordingView view;
  Document doc{{messages, sequencer, settings, own.path() + QLatin1Char('/')},
               view};
};

}  // namespace

// Two copies run at once; one turns Executive on and opens a page, the
// other moves its window and sets the line length. Whichever closes last,
// what each changed is in the file.
TEST(SharedSettings, TwoCopiesKeepWhatEachChanged) {
  for (bool fileThere : {true, false}) {
    for (bool editorClosesFirst : {true, false}) {
      SCOPED_TRACE(std::string(fileThere ? "a settings file" : "none yet") +
                   (editorClosesFirst ? ", editor first" : ", mover first"));
      ScratchDir dir;
      const QString path = dir.file(QStringLiteral("Vrn32.ini"));
      if (fileThere)
        dir.write(QStringLiteral("Vrn32.ini"),
                  "[MainForm]\nLeft=10\nTop=20\n[Fum]\nMaxChar=79\n"
                  "Executive=0\n[RecentFiles]\nr1=/old.fum\n");
      Copy editor(path), mover(path);
      const WindowLayout editorLayout = editor.doc.session().read();
      WindowLayout moverLayout = mover.doc.session().read();
      editor.doc.session().setExecutive(true);
      editor.doc.session().addRecentFile(QStringLiteral("/new.fum"));
      moverLayout.main.moveTo(300, 200);
      mover.doc.session().setMaxChar(100);
      if (editorClosesFirst) {
        ASSERT_TRUE(editor.close(editorLayout));
        ASSERT_TRUE(mover.close(moverLayout));
      } else {
        ASSERT_TRUE(mover.close(moverLayout));
        ASSERT_TRUE(editor.close(editorLayout));
      }
      const SettingsFile after(path);
      EXPECT_TRUE(after.readBool("Fum", "Executive", false));
      EXPECT_EQ(after.readString("RecentFiles", "r1", ""), "/new.fum");
      EXPECT_EQ(after.readString("RecentFiles", "r2", ""),
                fileThere ? "/old.fum" : "");
      EXPECT_EQ(after.readInteger("MainForm", "Left", 0), 300);
      EXPECT_EQ(after.readInteger("MainForm", "Top", 0), 200);
      EXPECT_EQ(after.readInteger("Fum", "MaxChar", 0), 100);
      // What neither changed is in the file all the same.
      EXPECT_EQ(after.readInteger("TextForm", "Width", 0), 500);
    }
  }
}

namespace {

// `head`, lines of `x` up to `size` bytes in all with `last`, then `last`.
QByteArray padded(const QByteArray &head, qsizetype size, qsizetype lineLength,
                  const QByteArray &last) {
  QByteArray filler(size - head.size() - last.size(), 'x');
  for (qsizetype i = lineLength - 1; i < filler.size(); i += lineLength)
    filler[i] = '\n';
  filler.back() = '\n';
  return head + filler + last;
}

}  // namespace

// A settings file past its bounds is read up to them in whole lines, said
// once by name, and written back with only the settings read; one that
// ends at the bounds is read whole.
TEST(SharedSettings, AHugeFileIsReadUpToItsBounds) {
  const QByteArray head = "[Fum]\nMaxChar=60\n";
  const QByteArray last = "Folder=/home/user/course\n";
  const qsizetype maxBytes = SettingsFile::MaxBytes;
  const qsizetype lines = SettingsFile::MaxLines - 3;  // with head and last
  const struct {
    const char *name;
    QByteArray bytes;
    bool whole;
  } cases[] = {
      {"at the size bound", padded(head, maxBytes, 1000, last), true},
      // A line cut at the bound would read as another folder.
      {"past the size bound", padded(head, maxBytes + 4, 1000, last), false},
      {"at the line bound", padded(head, head.size() + lines + 25, 1, last),
       true},
      {"past the line bound", padded(head, head.size() + lines + 26, 1, last),
       false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    DocumentSession s;
    s.scratch.write(QStringLiteral("config/Vrn32.ini"), c.bytes);
    s.doc.session().read();
    EXPECT_EQ(s.doc.session().maxChar(), 60);
    EXPECT_EQ(s.doc.session().folder(),
              c.whole ? QStringLiteral("/home/user/course") : QString());
    const QStringList said = s.messages.texts();
    ASSERT_EQ(said.size(), c.whole ? 0 : 1);
    if (c.whole) continue;
    EXPECT_TRUE(said[0].contains(s.settings.path())) << said[0].toStdString();

    s.doc.session().setMaxChar(70);
    ASSERT_TRUE(
        s.doc.session().write(WindowLayout{}, s.doc.navigator().course()));
    EXPECT_EQ(s.messages.texts(), said) << "said once";
    const QByteArray saved = readBytes(s.settings.path());
    EXPECT_TRUE(saved.startsWith("[Fum]\nMaxChar=70\n"));
    EXPECT_FALSE(saved.contains("/home/user"));
    // What could not be read is gone: the next start reads the file whole.
    EXPECT_LT(saved.size(), 1000);
  }
}
