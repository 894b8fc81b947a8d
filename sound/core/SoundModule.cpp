#include "sound/core/SoundModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

namespace sound_module {

QString fileName() { return QStringLiteral("libvarnel_sound.so"); }

QStringList usualFolders() {
  const QString beside = QCoreApplication::applicationDirPath();
  return {beside, QDir::cleanPath(beside + QStringLiteral("/../lib/varnel"))};
}

const Api *load(const QStringList &folders, QString *error) {
  // Loaded once and never unloaded: its sequencers live to the end.
  static QMutex mutex;
  static QHash<QString, const Api *> loaded;
  const QMutexLocker lock(&mutex);
  for (const QString &folder : folders) {
    const QString path = QDir(folder).filePath(fileName());
    if (!QFileInfo(path).isFile()) continue;
    if (const Api *api = loaded.value(path)) return api;
    QLibrary library(path);
    using Entry = const Api *(*)();
    const auto entry = reinterpret_cast<Entry>(library.resolve(EntryName));
    const Api *api = entry ? entry() : nullptr;
    if (!api || api->version != ApiVersion) {
      // A module of another build answers, but not as this program asks.
      *error = QStringLiteral("音を出すモジュール「%1」を読み込めません。\n%2")
                   .arg(path, api ? QStringLiteral("プログラムと版が違います。")
                                  : library.errorString());
      return nullptr;
    }
    loaded.insert(path, api);
    return api;
  }
  *error = QStringLiteral("音を出すモジュール「%1」が見つかりません。")
               .arg(fileName());
  return nullptr;
}

}  // namespace sound_module
