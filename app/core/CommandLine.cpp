#include "app/core/CommandLine.h"

namespace command_line {

QString usage() {
  return QStringLiteral(
      "使い方:\n"
      "  varnel [譜面.fum | 目次.vrn]          ウィンドウで開く\n"
      "  varnel --render 譜面 出力.png|.bmp    譜面を画像にする\n"
      "  varnel --render 目次.vrn|譜面 出力.pdf\n"
      "                                        教材を印刷用のPDFにする\n"
      "  varnel --render-audio 譜面.fum|曲.mid 出力.wav\n"
      "                                        ページの曲をWAVにする\n"
      "  varnel --export-site 目次.vrn|譜面.fum 出力フォルダ\n"
      "                                        教材をWebページにする\n"
      "  varnel --resave 譜面 出力.fum [--maxchar N] [--admin]\n"
      "                                        譜面を書き直す\n"
      "  varnel --check 目次.vrn|譜面.fum       教材を点検する\n"
      "  varnel --help                         この説明\n"
      "  varnel --version                      版を表示する\n");
}

QString versionText() { return QStringLiteral("Varnel version 3.1\n"); }

bool isHelp(const QStringList &arguments) {
  const QString first = arguments.value(0);
  return first == QLatin1String("--help") || first == QLatin1String("-h");
}

bool isVersion(const QStringList &arguments) {
  return arguments.value(0) == QLatin1String("--version");
}

bool isUnknownOption(const QStringList &arguments, const QStringList &known) {
  const QString first = arguments.value(0);
  return first.startsWith(QLatin1Char('-')) && first.size() > 1 &&
         !known.contains(first);
}

}  // namespace command_line
