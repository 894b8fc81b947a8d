#include "base/core/ProgramModules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

namespace program_modules {

QStringList usualFolders() {
  // Without an application object there is no applicationDirPath(): the
  // kernel names the executable.
  const QString executable =
      QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  const QString folder = QFileInfo(executable).absolutePath();
  return {folder, QDir::cleanPath(folder + QStringLiteral("/../lib/varnel"))};
}

const void *load(const Module &module, const QStringList &folders,
                 QString *error) {
  static QMutex mutex;
  static QHash<QString, const void *> loaded;
  const QMutexLocker lock(&mutex);
  for (const QString &folder : folders) {
    const QString path = QDir(folder).filePath(module.fileName);
    if (!QFileInfo(path).isFile()) continue;
    if (const void *table = loaded.value(path)) return table;
    QLibrary library(path);
    using Entry = const void *(*)();
    const auto entry =
        reinterpret_cast<Entry>(library.resolve(module.entryName));
    const void *table = entry ? entry() : nullptr;
    if (!table || *static_cast<const int *>(table) != module.version) {
      // A module of another build answers, but not as this program asks.
      *error = QStringLiteral("%1「%2」を読み込めません。\n%3")
                   .arg(module.what, path,
                        table ? QStringLiteral("プログラムと版が違います。")
                              : library.errorString());
      return nullptr;
    }
    loaded.insert(path, table);
    return table;
  }
  *error = QStringLiteral("%1「%2」が見つかりません。")
               .arg(module.what, module.fileName);
  return nullptr;
}

}  // namespace program_modules
