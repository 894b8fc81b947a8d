#include <gtest/gtest.h>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "support/RecordingView.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// The settings file as running copies of the program meet it at start-up
// and shut-down: another copy writing it meanwhile.

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
