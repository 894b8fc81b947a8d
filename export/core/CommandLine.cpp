#include "export/core/CommandLine.h"

#include <QCommandLineParser>

namespace command_line {
namespace {

constexpr int DescriptionColumn = 40;

// Columns a terminal gives the text: two for each wide (Japanese)
// character.
int displayWidth(const QString &text) {
  int width = 0;
  for (const QChar c : text) width += c.unicode() < 0x1100 ? 1 : 2;
  return width;
}

QString usageLine(const QString &call, const QString &description) {
  const int width = displayWidth(call);
  if (width < DescriptionColumn)
    return call + QString(DescriptionColumn - width, QLatin1Char(' ')) +
           description + QLatin1Char('\n');
  return call + QLatin1Char('\n') +
         QString(DescriptionColumn, QLatin1Char(' ')) + description +
         QLatin1Char('\n');
}

QString dashed(const QString &name) { return QStringLiteral("--") + name; }

// The argument as typed that named an option the program does not know.
QString typedUnknown(const QStringList &arguments, const QString &name) {
  for (const QString &argument : arguments) {
    if (argument == QLatin1String("--")) break;
    if (!argument.startsWith(QLatin1Char('-'))) continue;
    const QString bare = argument.section(QLatin1Char('='), 0, 0);
    QString stripped = bare;
    while (stripped.startsWith(QLatin1Char('-'))) stripped.remove(0, 1);
    // A short option may sit among others: "-xyz".
    const bool compacted = name.size() == 1 &&
                           !bare.startsWith(QLatin1String("--")) &&
                           stripped.contains(name);
    if (stripped == name || compacted) return bare;
  }
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

Parsed usageError(const QString &error) {
  Parsed parsed;
  parsed.kind = Parsed::Kind::Usage;
  parsed.error = error;
  return parsed;
}

QString wrongCount(const QString &option) {
  return QStringLiteral("%1 の引数が違います。").arg(option);
}

}  // namespace

Parsed parse(const QStringList &arguments, const QList<Command> &commands) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(
      QCommandLineParser::ParseAsCompactedShortOptions);
  const QCommandLineOption help(
      QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  QMap<QString, const Command *> takers;  // extra option -> its command
  for (const Command &command : commands) {
    parser.addOption(QCommandLineOption(command.name, QString(),
                                        command.arguments.value(0)));
    for (const ExtraOption &extra : command.extras) {
      if (!takers.contains(extra.name))
        parser.addOption(
            QCommandLineOption(extra.name, QString(), extra.valueName));
      takers.insert(extra.name, &command);
    }
  }
  if (!parser.parse(QStringList{QStringLiteral("varnel")} + arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
      return usageError(QStringLiteral("不明なオプションです: %1")
                            .arg(typedUnknown(arguments, unknown.first())));
    // Only a last option can miss its value.
    return usageError(wrongCount(arguments.last()));
  }
  if (parser.isSet(help)) {
    Parsed parsed;
    parsed.kind = Parsed::Kind::Help;
    return parsed;
  }
  if (parser.isSet(version)) {
    Parsed parsed;
    parsed.kind = Parsed::Kind::Version;
    return parsed;
  }

  const Command *chosen = nullptr;
  for (const Command &command : commands) {
    if (!parser.isSet(command.name)) continue;
    if (chosen || parser.values(command.name).size() > 1)
      return usageError(QStringLiteral("コマンドは一つだけ指定できます。"));
    chosen = &command;
  }
  for (auto taker = takers.cbegin(); taker != takers.cend(); ++taker) {
    if (!parser.isSet(taker.key())) continue;
    bool taken = false;
    if (chosen)
      for (const ExtraOption &extra : chosen->extras)
        taken = taken || extra.name == taker.key();
    if (!taken)
      return usageError(
          QStringLiteral("%1 は %2 と一緒に使います。")
              .arg(dashed(taker.key()), dashed(taker.value()->name)));
    if (parser.values(taker.key()).size() > 1)
      return usageError(
          QStringLiteral("%1 が二度あります。").arg(dashed(taker.key())));
  }

  Parsed parsed;
  if (!chosen) {
    parsed.files = parser.positionalArguments();
    return parsed;
  }
  parsed.kind = Parsed::Kind::Command;
  parsed.command = chosen;
  parsed.request.arguments =
      QStringList{parser.value(chosen->name)} + parser.positionalArguments();
  const qsizetype given = parsed.request.arguments.size();
  const qsizetype wanted = chosen->arguments.size();
  if (chosen->repeatsLast ? given < wanted : given != wanted)
    return usageError(wrongCount(dashed(chosen->name)));
  for (const ExtraOption &extra : chosen->extras)
    if (extra.required && !parser.isSet(extra.name))
      return usageError(QStringLiteral("%1 には %2 が要ります。")
                            .arg(dashed(chosen->name), dashed(extra.name)));
  for (const ExtraOption &extra : chosen->extras)
    if (parser.isSet(extra.name))
      parsed.request.options.insert(extra.name, parser.value(extra.name));
  return parsed;
}

QString usage(const QList<Command> &commands) {
  QString text = QStringLiteral("使い方:\n");
  text += usageLine(QStringLiteral("  varnel [譜面.fum | 目次.vrn]"),
                    QStringLiteral("ウィンドウで開く"));
  for (const Command &command : commands) {
    QString call = QStringLiteral("  varnel ") + dashed(command.name);
    for (const QString &argument : command.arguments)
      call += QLatin1Char(' ') + argument;
    if (command.repeatsLast) call += QStringLiteral("...");
    for (const ExtraOption &extra : command.extras) {
      call += extra.required ? QStringLiteral(" ") : QStringLiteral(" [");
      call += dashed(extra.name);
      if (!extra.valueName.isEmpty())
        call += QLatin1Char(' ') + extra.valueName;
      if (!extra.required) call += QLatin1Char(']');
    }
    text += usageLine(call, command.description);
  }
  text +=
      usageLine(QStringLiteral("  varnel --help"), QStringLiteral("この説明"));
  text += usageLine(QStringLiteral("  varnel --version"),
                    QStringLiteral("版を表示する"));
  text += QStringLiteral(
      "終了状態: 0 成功、1 失敗（理由は標準エラーに）、2 使い方の誤り\n");
  return text;
}

QString versionText() { return QStringLiteral("Varnel version 3.1\n"); }

}  // namespace command_line
