#include "sound/core/SoundModule.h"

#include "base/core/ProgramModules.h"

namespace sound_module {

QString fileName() { return QStringLiteral("libvarnel_sound.so"); }

QStringList usualFolders() { return program_modules::usualFolders(); }

const Api *load(const QStringList &folders, QString *error) {
  return static_cast<const Api *>(program_modules::load(
      {fileName(), EntryName, ApiVersion, QStringLiteral("音を出すモジュール")},
      folders, error));
}

}  // namespace sound_module
