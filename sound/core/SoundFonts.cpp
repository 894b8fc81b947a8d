#include "sound/core/SoundFonts.h"

#include <QDir>
#include <QFileInfo>

namespace sound_fonts {

QString systemFolder() { return QStringLiteral("/usr/share/sounds/sf2"); }

QString best(const QString &folder) {
  const QDir dir(folder);
  // FluidR3_GM's instruments are fuller than TimGM6mb's; default-GM.sf2
  // is whichever the system chose.
  for (const char *name :
       {"FluidR3_GM.sf2", "default-GM.sf2", "TimGM6mb.sf2"}) {
    const QString path = dir.filePath(QLatin1String(name));
    if (QFileInfo(path).isFile()) return path;
  }
  const QStringList names =
      dir.entryList({QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable,
                    QDir::Name | QDir::IgnoreCase);
  return names.isEmpty() ? QString() : dir.filePath(names.first());
}

QString missingMessage(const QString &folder) {
  return QStringLiteral("MIDIを鳴らすSoundFontが%1にありません。").arg(folder);
}

}  // namespace sound_fonts
