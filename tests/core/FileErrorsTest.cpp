#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "base/core/FileErrors.h"
#include "files/core/PageFormat.h"
#include "support/TestFiles.h"

// A file that cannot be written is named, with the reason in the user's
// language, and a page that may be written is written even where its
// folder takes no new files.

TEST(FileErrors, FailedWritesNameTheFileAndTheReason) {
  ScratchDir dir;
  QString error;
  EXPECT_FALSE(page_format::writeFileSafely(
      dir.file(QStringLiteral("gone/page1.fum")), "x", &error));
  EXPECT_TRUE(error.contains(QStringLiteral("「page1.fum」に書き込めません")))
      << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("フォルダー")))
      << error.toStdString();

  EXPECT_EQ(file_errors::readReason(dir.file(QStringLiteral("none")), 0),
            QStringLiteral("ファイルがありません"));
  EXPECT_EQ(file_errors::writeReason(dir.path(), 0),
            QStringLiteral("フォルダーです"));
  EXPECT_EQ(file_errors::writeReason(QStringLiteral("/x"), ENOSPC),
            QStringLiteral("ディスクの空きが足りません"));
  EXPECT_EQ(file_errors::writeReason(QStringLiteral("/x"), EFBIG),
            QStringLiteral("ファイルが大きすぎます"));
}

// The folder is closed to the user but the page is theirs to write: it is
// written over, and holds exactly the new bytes, also where the old page
// was longer. Root may write anywhere, so the save runs as an ordinary
// user then.
TEST(FileErrors, PageInAClosedFolderIsWrittenInPlace) {
  const struct {
    const char *name;
    QByteArray old, fresh;
  } cases[] = {
      {"over a shorter page", "old", "new page"},
      {"over a longer page", "an old page, longer than the new one",
       "new page"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    const QString folder = dir.file(QStringLiteral("closed"));
    QDir().mkpath(folder);
    const QString page = dir.write(QStringLiteral("closed/page.fum"), c.old);
    QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner |
                                    QFile::ReadOther | QFile::WriteOther);
    ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    ::chmod(folder.toLocal8Bit().constData(), 0555);

    auto save = [&] {
      QString error;
      return page_format::writeFileSafely(page, c.fresh, &error);
    };
    if (::geteuid() != 0) {
      EXPECT_TRUE(save());
    } else {
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        // The unprivileged "nobody" user of every Linux system.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(save() ? 0 : 1);
      }
      int status = 0;
      ::waitpid(child, &status, 0);
      ASSERT_TRUE(WIFEXITED(status));
      ASSERT_NE(WEXITSTATUS(status), 2) << "could not become an ordinary user";
      EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(readBytes(page), c.fresh);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"page.fum"});
    ::chmod(folder.toLocal8Bit().constData(), 0755);
  }
}
