#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include "files/core/ContentsFile.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"

namespace {

using Outcome = ProgramRun;

Outcome varnel(const QStringList &arguments) { return runVarnel(arguments); }

const QByteArray Page =
    "Fum[test]\r\n~Hello|World\r\n^1|2|300|`32|40|70|Allegro|100|20|\r\n"
    "End[test]\r\n";

}  // namespace

TEST(Headless, RenderDrawsThePageWithoutADisplay) {
  ScratchDir dir;
  const QString page = dir.write(QStringLiteral("mail.txt"), "Hi\r\n" + Page);
  const QString out = dir.file(QStringLiteral("page.png"));
  const Outcome run = varnel({QStringLiteral("--render"), page, out});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty());
  QImage picture(out);
  ASSERT_FALSE(picture.isNull());
  ScorePage expected;
  expected.append("`32", 40, 70);
  expected.append("Allegro", 100, 20);
  Canvas canvas;
  canvas.ResizeCanvas(2, 300);
  canvas.ReplayInputs(expected);
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), canvas.image());

  const QString bmp = dir.file(QStringLiteral("page.bmp"));
  EXPECT_EQ(varnel({QStringLiteral("--render"), page, bmp}).status, 0);
  EXPECT_TRUE(readBytes(bmp).startsWith("BM"));
}

TEST(Headless, ResaveWritesAsTheEditorWould) {
  ScratchDir dir;
  const QString page = dir.write(QStringLiteral("in.fum"), Page);
  const QString out = dir.file(QStringLiteral("out.fum"));
  EXPECT_EQ(varnel({QStringLiteral("--resave"), page, out,
                    QStringLiteral("--maxchar"), QStringLiteral("10")})
                .status,
            0);
  EXPECT_EQ(
      readBytes(out),
      QByteArray("Fum[out]\r\n~Hello|Wo\r\n~rld\r\n^1|2|300|\r\n"
                 "^`32|40|7\r\n^0|Allegr\r\n^o|100|20\r\n^|\r\nEnd[out]\r\n"));
  EXPECT_EQ(
      varnel({QStringLiteral("--resave"), page, out, QStringLiteral("--admin")})
          .status,
      0);
  EXPECT_TRUE(readBytes(out).contains("^-1|2|300|"));
  // A protected page is refused outside administrator mode.
  const Outcome refused = varnel(
      {QStringLiteral("--resave"), out, dir.file(QStringLiteral("again.fum"))});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.err.contains(
      QStringLiteral("これは改変禁止ファイルです。保存できません。")));
}

// The line length is read as the window's setting reads it, and one out of
// range is brought into range with a warning rather than wrapping nothing.
TEST(Headless, ResaveTakesTheLineLengthAsTheSettingDoes) {
  ScratchDir dir;
  const QString page = dir.write(QStringLiteral("in.fum"), Page);
  const QString out = dir.file(QStringLiteral("out.fum"));
  const struct {
    const char *maxChar;
    int status;
    const char *err;
    const char *firstText;  // the page text's first line as written
  } cases[] = {
      {" 10", 0, "", "~Hello|Wo\r\n"},
      {"+10", 0, "", "~Hello|Wo\r\n"},
      {"3", 0, "一行の文字数は 7～256 です。7 にしました。", "~Hello\r\n"},
      {"10x", 1, "'10x' は整数ではありません.", nullptr},
      {"0x10", 1, "'0x10' は整数ではありません.", nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.maxChar);
    QFile::remove(out);
    const Outcome run =
        varnel({QStringLiteral("--resave"), page, out,
                QStringLiteral("--maxchar"), QString::fromUtf8(c.maxChar)});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err.trimmed(), QString::fromUtf8(c.err));
    if (c.firstText)
      EXPECT_TRUE(readBytes(out).contains(QByteArray("\r\n") + c.firstText))
          << readBytes(out).toStdString();
    else
      EXPECT_FALSE(QFile::exists(out));
  }
}

TEST(Headless, ErrorsArePrintedAndExitWithOne) {
  ScratchDir dir;
  const QString none =
      dir.write(QStringLiteral("none.txt"), "no page here\r\n");
  Outcome run = varnel({QStringLiteral("--render"), none, dir.file("x.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("Fumデータが読めません。")));
  run = varnel(
      {QStringLiteral("--render"), dir.file("missing.fum"), dir.file("x.png")});
  EXPECT_EQ(run.status, 1);
  const QString bad =
      dir.write(QStringLiteral("bad.fum"),
                "Fum[bad]\r\n^1|4|610|`14|1O|2|\r\nEnd[bad]\r\n");
  run = varnel({QStringLiteral("--render"), bad, dir.file("x.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("'1O' は整数ではありません.")));
}

TEST(Headless, CheckFindsTheProblemsOfACourse) {
  ScratchDir dir;
  dir.write(QStringLiteral("Good.FUM"), Page);
  dir.write(QStringLiteral("good.mid"), "not a midi file");
  dir.write(QStringLiteral("sub/Bad.fum"),
            "Fum[bad]\r\n^1|4|610|`1x|1|2|\r\nEnd[bad]\r\n");
  const QString contents =
      dir.write(QStringLiteral("course.vrn"),
                "/Course\r\ngood\r\n  sub\\bad\r\nmissing\r\n"
                "..\\up\r\n\x85\x40\r\n");
  const Outcome run = varnel({QStringLiteral("--check"), contents});
  EXPECT_EQ(run.status, 1);
  const QStringList lines =
      run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("good: ")));
  EXPECT_TRUE(lines[1].contains(QStringLiteral("'1x' は整数ではありません.")));
  EXPECT_EQ(lines[2],
            QStringLiteral(
                "missing: Vrnファイルに記述されたファイルが見つかりません。"
                "（%1）")
                .arg(dir.file(QStringLiteral("missing.fum"))));
  EXPECT_TRUE(lines[3].startsWith(
      QStringLiteral("..\\up: 目次ファイルのフォルダの外")));
  EXPECT_TRUE(
      lines[4].endsWith(QStringLiteral("シフトJISにない文字があります。")));
}

TEST(Headless, MakeContentsWritesThePagesInOrderOrNothing) {
  ScratchDir dir;
  const QByteArray page = "Fum[p]\r\n~\r\n^1|1|300|\r\nEnd[p]\r\n";
  dir.write(QStringLiteral("c/はじめに.fum"), page);
  dir.write(QStringLiteral("c/sub/two.FUM"), page);
  dir.write(QStringLiteral("outside.fum"), page);
  const QString out = dir.file(QStringLiteral("c/course.vrn"));
  const QString c = dir.file(QStringLiteral("c/"));
  const QString make = QStringLiteral("--make-contents");
  const QString title = QStringLiteral("--title");

  // A contents file from page files in order, or nothing and status 1
  // when a page cannot be listed.
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

TEST(Headless, EveryModeNamesTheFileItCannotFindOrThatIsNoFile) {
  ScratchDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("フォルダ.fum")));
  const QString fifo = dir.file(QStringLiteral("管.fum"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const struct {
    QString input, says;
  } inputs[] = {
      {dir.file(QStringLiteral("ない.fum")),
       QStringLiteral("ファイルが見つかりません。")},
      {dir.file(QStringLiteral("ない.vrn")),
       QStringLiteral("ファイルが見つかりません。")},
      {dir.file(QStringLiteral("フォルダ.fum")),
       QStringLiteral("ファイルではありません。")},
      {fifo, QStringLiteral("ファイルではありません。")},
  };
  for (const auto &input : inputs) {
    const QString page = input.input;
    const QStringList runs[] = {
        {QStringLiteral("--render"), page, dir.file(QStringLiteral("a.png"))},
        {QStringLiteral("--export-site"), page,
         dir.file(QStringLiteral("site"))},
        {QStringLiteral("--resave"), page, dir.file(QStringLiteral("a.fum"))},
        {QStringLiteral("--render-audio"), page,
         dir.file(QStringLiteral("a.wav"))},
        {QStringLiteral("--check"), page},
    };
    for (const QStringList &arguments : runs) {
      SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
      const Outcome run = varnel(arguments);
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ((run.err + run.out).section(QLatin1Char('\n'), 0, 0),
                page + ": " + input.says);
    }
  }
}

TEST(Headless, BundledCoursePassesTheCheck) {
  const Outcome run =
      varnel({QStringLiteral("--check"),
              QStringLiteral(VARNEL_PROGRAM_FOLDER "Data/Varnel.vrn")});
  EXPECT_EQ(run.status, 0) << run.out.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
}

TEST(Headless, HelpVersionAndUnknownOptionsNeedNoDisplay) {
  const struct {
    const char *argument;
    int status;
    const char *out;
    const char *err;
  } cases[] = {
      {"--help", 0, "--render-audio", ""},
      {"-h", 0, "--check", ""},
      {"--version", 0, "version 3.1", ""},
      {"--bogus", 2, "", "不明なオプションです: --bogus"},
      {"--render", 2, "", "--render の引数が違います。"},
      {"--maxchar", 2, "", "--maxchar の引数が違います。"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.argument);
    const Outcome run = varnel({QString::fromUtf8(c.argument)});
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(c.out)))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.err)))
        << run.err.toStdString();
    if (c.status == 2) {
      EXPECT_TRUE(run.err.contains(QStringLiteral("使い方")));
    }
  }
}

TEST(Headless, ACutContentsFileIsToldAlikeByTheCheckTheBookletAndTheSite) {
  ScratchDir dir;
  dir.write(QStringLiteral("p.fum"), lessonPage());
  // Past the contents file's size bound after its first entry.
  const QString contents = dir.write(
      QStringLiteral("c.vrn"),
      "/Course\r\np\r\n\\" + QByteArray(MaxContentsBytes, 'x') + "\r\np\r\n");
  const QString cut = contents + ": " + contentsCutMessage(contents, 3);
  const QStringList runs[] = {
      {QStringLiteral("--check"), contents},
      {QStringLiteral("--render"), contents, dir.file(QStringLiteral("c.pdf"))},
      {QStringLiteral("--export-site"), contents,
       dir.file(QStringLiteral("site"))},
  };
  for (const QStringList &arguments : runs) {
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    const Outcome run = varnel(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ((run.err + run.out).section(QLatin1Char('\n'), 0, 0), cut);
  }
}
