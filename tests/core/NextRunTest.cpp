#include <gtest/gtest.h>

#include "app/core/ProgramSession.h"
#include "app/core/SettingsFile.h"
#include "files/core/CourseContents.h"
#include "support/DocumentSession.h"
#include "support/ScriptedMessages.h"
#include "support/TestFiles.h"

// What the settings file gives the next run: the page a course was left at
// and the recent files.

// A remembered entry opens the course there while it is in the list; one
// that is not (the course got shorter, the file was edited) opens the first.
TEST(NextRun, ACourseOpensAtTheRememberedEntryWhileItIsListed) {
  const struct {
    int remembered, opened;
  } cases[] = {{0, 0}, {2, 2}, {3, 0}, {4, 0}, {-1, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.remembered);
    DocumentSession s;
    const QString path = s.course(QStringLiteral("c"));  // three entries
    s.settings.writeInteger(QStringLiteral("Vrn"),
                            CourseContents::rememberKey(path), c.remembered);
    s.doc.files().openFile(path);
    EXPECT_EQ(s.doc.navigator().selectedEntry(), c.opened);
    EXPECT_EQ(s.doc.page().count(), c.opened + 1) << "the page of the entry";
    EXPECT_TRUE(s.messages.shown.isEmpty());
  }
}

TEST(NextRun, EveryRecentFileSurvivesARestart) {
  ScratchDir dir;
  ScriptedMessages messages;
  const QString ini = dir.file(QStringLiteral("config/Vrn32.ini"));
  QStringList newestFirst;
  {
    SettingsFile settings(ini);
    ProgramSession session(messages, settings, dir.path() + '/');
    for (int i = 1; i <= RecentFiles::Count; ++i) {
      const QString path = QStringLiteral("/c/ページ %1.fum").arg(i);
      session.addRecentFile(path);
      newestFirst.prepend(path);
    }
    ASSERT_TRUE(session.write(WindowLayout{}, CourseContents{}));
  }
  SettingsFile settings(ini);
  ProgramSession next(messages, settings, dir.path() + '/');
  next.read();
  QStringList read;
  for (int n = 1; n <= RecentFiles::Count; ++n) read << next.recent().entry(n);
  EXPECT_EQ(read, newestFirst);
  EXPECT_TRUE(messages.shown.isEmpty());
}
