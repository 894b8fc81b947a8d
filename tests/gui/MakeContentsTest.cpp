#include <gtest/gtest.h>

#include <QProcess>

#include "support/TestFiles.h"

// "--make-contents" on the real program: a contents file written from page
// files in order, or nothing and status 1 when a page cannot be listed.

namespace {

struct Outcome {
  int status;
  QString err;
};

Outcome varnel(const QStringList &arguments) {
  QProcess process;
  process.start(QStringLiteral(VARNEL_EXECUTABLE), arguments);
  process.waitForFinished(60000);
  return {process.exitCode(),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

TEST(MakeContents, WritesThePagesInOrderOrNothingWithItsStatus) {
  ScratchDir dir;
  const QByteArray page = "Fum[p]\r\n~\r\n^1|1|300|\r\nEnd[p]\r\n";
  dir.write(QStringLiteral("c/はじめに.fum"), page);
  dir.write(QStringLiteral("c/sub/two.FUM"), page);
  dir.write(QStringLiteral("outside.fum"), page);
  const QString out = dir.file(QStringLiteral("c/course.vrn"));
  const QString c = dir.file(QStringLiteral("c/"));
  const QString make = QStringLiteral("--make-contents");
  const QString title = QStringLiteral("--title");

  const Outcome good =
      varnel({make, out, title, QStringLiteral("題"), QStringLiteral("--note"),
              QStringLiteral("注"), c + QStringLiteral("sub/two.FUM"),
              c + QStringLiteral("はじめに.fum")});
  EXPECT_EQ(good.status, 0) << good.err.toStdString();
  EXPECT_EQ(readBytes(out), sjis("/題\r\n\\注\r\nsub\\two\r\nはじめに\r\n"));

  const struct {
    QStringList arguments;
    int status;
    const char *said;
  } bad[] = {
      {{make, out, title, QStringLiteral("T"), c + QStringLiteral("none.fum")},
       1,
       "見つかりません"},
      {{make, out, title, QStringLiteral("T"),
        dir.file(QStringLiteral("outside.fum"))},
       1,
       "外にある"},
      {{make, out, title, QStringLiteral("♬"),
        c + QStringLiteral("はじめに.fum")},
       1,
       "シフトJISにない文字"},
      {{make, out, c + QStringLiteral("はじめに.fum")},
       2,
       "--title が要ります"},
      {{make, out, title, QStringLiteral("T")}, 2, "引数が違います"},
  };
  for (const auto &run : bad) {
    SCOPED_TRACE(run.arguments.join(' ').toStdString());
    const Outcome outcome = varnel(run.arguments);
    EXPECT_EQ(outcome.status, run.status);
    EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(run.said)))
        << outcome.err.toStdString();
    EXPECT_EQ(readBytes(out), sjis("/題\r\n\\注\r\nsub\\two\r\nはじめに\r\n"))
        << "the file written before stays as it was";
  }
}
