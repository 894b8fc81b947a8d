#include <gtest/gtest.h>

#include "export/core/CommandLine.h"

namespace {

using command_line::Parsed;
using Kind = Parsed::Kind;

int ran(const command_line::Request &) { return 0; }

const QList<command_line::Command> Commands{
    {QStringLiteral("render"),
     {QStringLiteral("譜面"), QStringLiteral("出力.png")},
     QStringLiteral("描く"),
     {},
     ran},
    {QStringLiteral("resave"),
     {QStringLiteral("譜面"), QStringLiteral("出力.fum")},
     QStringLiteral("書き直す"),
     {{QStringLiteral("maxchar"), QStringLiteral("N")},
      {QStringLiteral("admin"), QString()}},
     ran},
    {QStringLiteral("check"),
     {QStringLiteral("目次.vrn")},
     QStringLiteral("点検する"),
     {},
     ran},
};

QStringList split(const char *line) {
  return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

TEST(CommandLine, EachLineReachesTheRightCommandWithItsArguments) {
  const struct {
    const char *line;
    Kind kind;
    const char *command;    // for Command
    const char *arguments;  // the command's arguments, or the files
    const char *options;    // name=value, sorted
  } cases[] = {
      {"", Kind::Window, "", "", ""},
      {"a.fum", Kind::Window, "", "a.fum", ""},
      {"-- --render.fum", Kind::Window, "", "--render.fum", ""},
      {"--help", Kind::Help, "", "", ""},
      {"-h --render a", Kind::Help, "", "", ""},
      {"--version", Kind::Version, "", "", ""},
      {"--render a.fum b.png", Kind::Command, "render", "a.fum b.png", ""},
      {"--render=a.fum b.png", Kind::Command, "render", "a.fum b.png", ""},
      {"--check c.vrn", Kind::Command, "check", "c.vrn", ""},
      {"--resave a b", Kind::Command, "resave", "a b", ""},
      // Options may follow the arguments, and a value may look like one.
      {"--resave a b --maxchar -5 --admin", Kind::Command, "resave", "a b",
       "admin= maxchar=-5"},
      {"--maxchar 40 --resave a b", Kind::Command, "resave", "a b",
       "maxchar=40"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.line);
    const Parsed parsed = command_line::parse(split(c.line), Commands);
    ASSERT_EQ(parsed.kind, c.kind) << parsed.error.toStdString();
    if (c.kind == Kind::Window) {
      EXPECT_EQ(parsed.files, split(c.arguments));
    } else if (c.kind == Kind::Command) {
      EXPECT_EQ(parsed.command->name, QString::fromUtf8(c.command));
      EXPECT_EQ(parsed.request.arguments, split(c.arguments));
      QStringList options;
      for (auto o = parsed.request.options.cbegin();
           o != parsed.request.options.cend(); ++o)
        options << o.key() + QLatin1Char('=') + o.value();
      EXPECT_EQ(options, split(c.options));
    }
  }
}

TEST(CommandLine, AMistakeIsAUsageErrorThatSaysWhat) {
  const struct {
    const char *line;
    const char *error;
  } cases[] = {
      {"--bogus", "不明なオプションです: --bogus"},
      {"a.fum --bogus=1", "不明なオプションです: --bogus"},
      {"-x", "不明なオプションです: -x"},
      {"-platform offscreen", "不明なオプションです: -platform"},
      {"--render a.fum", "--render の引数が違います。"},
      {"--render a b c", "--render の引数が違います。"},
      {"--check", "--check の引数が違います。"},
      {"--check a --render b c", "コマンドは一つだけ指定できます。"},
      {"--check a --check b", "コマンドは一つだけ指定できます。"},
      {"--render a b --admin", "--admin は --resave と一緒に使います。"},
      {"a.fum --maxchar 3", "--maxchar は --resave と一緒に使います。"},
      {"--resave a b --maxchar 3 --maxchar 4", "--maxchar が二度あります。"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.line);
    const Parsed parsed = command_line::parse(split(c.line), Commands);
    EXPECT_EQ(parsed.kind, Kind::Usage);
    EXPECT_EQ(parsed.error, QString::fromUtf8(c.error));
  }
}

TEST(CommandLine, TheUsageNamesEveryCommandAndOption) {
  const QString usage = command_line::usage(Commands);
  for (const char *shown :
       {"使い方", "varnel --render 譜面 出力.png", "--check 目次.vrn",
        "--resave 譜面 出力.fum [--maxchar N] [--admin]", "--help", "--version",
        "書き直す", "2 使い方の誤り"})
    EXPECT_TRUE(usage.contains(QString::fromUtf8(shown))) << shown;
}

// The descriptions stand in one column on a terminal, where a Japanese
// character takes two columns: a call that reaches the column puts its
// description on the next line.
TEST(CommandLine, TheUsageDescriptionsLineUpWithWideCharacters) {
  const QList<command_line::Command> commands{
      {QStringLiteral("x"),
       {QStringLiteral("日本語の長い引数の名前")},  // a call of 35 columns
       QStringLiteral("短い"),
       {},
       ran},
      {QStringLiteral("y"),
       {QStringLiteral("日本語の長い引数の名前です")},  // 39
       QStringLiteral("長い"),
       {},
       ran},
      {QStringLiteral("zz"),
       {QStringLiteral("日本語の長い引数の名前です")},  // 40
       QStringLiteral("折り返す"),
       {},
       ran},
  };
  const QStringList lines =
      command_line::usage(commands).split(QLatin1Char('\n'));
  const QString column(40, QLatin1Char(' '));
  for (const QString &expected : {
           // 30 columns: four wide characters
           QStringLiteral("  varnel [譜面.fum | 目次.vrn]") + column.left(10) +
               QStringLiteral("ウィンドウで開く"),
           QStringLiteral("  varnel --x 日本語の長い引数の名前") +
               column.left(5) + QStringLiteral("短い"),
           QStringLiteral("  varnel --y 日本語の長い引数の名前です ") +
               QStringLiteral("長い"),
           QStringLiteral("  varnel --zz 日本語の長い引数の名前です"),
           column + QStringLiteral("折り返す"),
       })
    EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
}
