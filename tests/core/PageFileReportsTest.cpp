#include <gtest/gtest.h>

#include <QBuffer>

#include "base/core/Report.h"
#include "files/core/PageFile.h"
#include "score/core/ScorePage.h"
#include "support/TestFiles.h"

// The page reader and writer say what went wrong in their result, worded
// as the message box shows it; nothing is shown by them.

namespace {

page_file::LoadResult readBytesAsPage(QByteArray bytes, ScorePage &page) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return page_file::readFrom(page, buffer);
}

}  // namespace

TEST(PageFileReports, EachFaultOfAPageComesBackAsItsReport) {
  using Status = page_file::LoadResult::Status;
  const struct {
    const char *what;
    QByteArray bytes;
    Status status;
    Reports reports;
  } cases[] = {
      {"no page block",
       "just text\r\n",
       Status::NoPage,
       {Report::error(page_file::noPageMessage())}},
      {"a header that is no number",
       "Fum[a]\r\n^1|x4|610|\r\nEnd[a]\r\n",
       Status::Failed,
       {Report::stop(QStringLiteral("'x4' は整数ではありません"))}},
      {"an unknown protect value",
       "Fum[a]\r\n^7|4|610|\r\nEnd[a]\r\n",
       Status::Loaded,
       {Report::warning(page_file::formatWarningMessage())}},
      {"a protected page",
       "Fum[a]\r\n^-1|4|610|\r\nEnd[a]\r\n",
       Status::Loaded,
       {}},
      {"a sound page", quarterNotesPage("a", 2), Status::Loaded, {}},
  };
  for (const auto &c : cases) {
    ScorePage page;
    const page_file::LoadResult result = readBytesAsPage(c.bytes, page);
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_EQ(result.reports, c.reports) << c.what;
    EXPECT_EQ(anyFailure(result.reports), c.status != Status::Loaded) << c.what;
  }
}

TEST(PageFileReports, AStopEndsWithOneFullStop) {
  EXPECT_EQ(Report::stop(QStringLiteral("abc")).text, QStringLiteral("abc."));
  EXPECT_EQ(Report::stop(QStringLiteral("abc.")).text, QStringLiteral("abc."));
  EXPECT_EQ(Report::stop(QStringLiteral("終わり。")).text,
            QStringLiteral("終わり。"));
  EXPECT_EQ(Report::notAnInteger(QStringLiteral("4x")).text,
            QStringLiteral("'4x' は整数ではありません."));
}

TEST(PageFileReports, AWrittenPageKeepsItsModifiedFlagForTheDocument) {
  ScratchDir dir;
  ScorePage page;
  page.PagePath = dir.file(QStringLiteral("a.fum"));
  page.Modified = true;
  const page_file::SaveResult written = page_file::save(page, "", 79, false);
  EXPECT_EQ(written.status, page_file::SaveResult::Status::Written);
  EXPECT_TRUE(written.reports.isEmpty());
  EXPECT_TRUE(page.Modified) << "only the document clears it";
  page.ProtectFlag = -1;
  const page_file::SaveResult refused = page_file::save(page, "", 79, false);
  EXPECT_EQ(refused.status, page_file::SaveResult::Status::Refused);
  EXPECT_EQ(refused.reports,
            Reports{Report::error(page_file::protectedPageMessage())});
}
