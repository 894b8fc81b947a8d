#include <gtest/gtest.h>

#include "support/DocumentSession.h"

// Two copies of the program on one settings file (the second's settings
// folder is a link to the first's), whichever closes last and with or
// without a file before: what each changed is in the file.
TEST(SharedSettings, TwoCopiesKeepWhatEachChanged) {
  for (int order = 0; order < 4; ++order) {
    SCOPED_TRACE(order);  // 1: a file before; 2: the editor closes first
    DocumentSession editor, mover;
    const QString config = editor.scratch.file(QStringLiteral("config"));
    QDir().mkpath(config);
    ASSERT_TRUE(QFile::link(config, mover.scratch.file("config")));
    if (order & 1)
      editor.scratch.write("config/Vrn32.ini",
                           "[MainForm]\nLeft=10\n[Fum]\nExecutive=0\n"
                           "MaxChar=79\n[RecentFiles]\nr1=/old.fum\n");
    const WindowLayout kept = editor.doc.session().read();
    WindowLayout moved = mover.doc.session().read();
    editor.doc.session().setExecutive(true);
    editor.doc.session().addRecentFile(QStringLiteral("/new.fum"));
    moved.main.moveTo(300, 200);
    mover.doc.session().setMaxChar(100);
    const auto close = [](DocumentSession &s, const WindowLayout &layout) {
      return s.doc.session().write(layout, s.doc.navigator().course());
    };
    const bool editorFirst = order & 2;
    ASSERT_TRUE(
        close(editorFirst ? editor : mover, editorFirst ? kept : moved));
    ASSERT_TRUE(
        close(editorFirst ? mover : editor, editorFirst ? moved : kept));
    const SettingsFile after(editor.settings.path());
    EXPECT_TRUE(after.readBool("Fum", "Executive", false));
    EXPECT_EQ(after.readString("RecentFiles", "r1", ""), "/new.fum");
    EXPECT_EQ(after.readString("RecentFiles", "r2", ""),
              order & 1 ? "/old.fum" : "");
    EXPECT_EQ(after.readInteger("MainForm", "Left", 0), 300);
    EXPECT_EQ(after.readInteger("Fum", "MaxChar", 0), 100);
  }
}

// A settings file past its size or line bound is read in whole lines up to
// it (a line cut short would give another folder), said once by name, and
// written back with only the settings read; one at its bounds is whole.
TEST(SharedSettings, AHugeFileIsReadUpToItsBounds) {
  const QByteArray head = "[Fum]\nMaxChar=60\n", last = "Folder=/f/course\n";
  for (const qsizetype over : {0, 4}) {
    for (const bool bySize : {true, false}) {
      SCOPED_TRACE(std::to_string(over) + (bySize ? " bytes" : " lines"));
      DocumentSession s;
      // Lines of 1000 bytes up to the size bound, or blank lines up to the
      // line bound (with head and last).
      QByteArray filler =
          bySize ? QByteArray(SettingsFile::MaxBytes + over - head.size() -
                                  last.size(),
                              'x')
                 : QByteArray(SettingsFile::MaxLines - 3 + over, '\n');
      for (qsizetype i = 999; i < filler.size(); i += 1000) filler[i] = '\n';
      filler.back() = '\n';
      s.scratch.write("config/Vrn32.ini", head + filler + last);
      s.doc.session().read();
      EXPECT_EQ(s.doc.session().maxChar(), 60);
      EXPECT_EQ(s.doc.session().folder(), over ? "" : "/f/course");
      const QStringList said = s.messages.texts();
      ASSERT_EQ(said.size(), over ? 1 : 0);
      if (!over) continue;
      EXPECT_TRUE(said[0].contains(s.settings.path()));
      s.doc.session().setMaxChar(70);
      ASSERT_TRUE(
          s.doc.session().write(WindowLayout{}, s.doc.navigator().course()));
      EXPECT_EQ(s.messages.texts(), said) << "said once";
      const QByteArray saved = readBytes(s.settings.path());
      EXPECT_TRUE(saved.startsWith("[Fum]\nMaxChar=70\n"));
      EXPECT_LT(saved.size(), 1000) << "the next start reads it whole";
    }
  }
}
