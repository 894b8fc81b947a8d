#include "app/core/WindowsModule.h"

#include "base/core/ProgramModules.h"

namespace windows_module {

QString fileName() { return QStringLiteral("libvarnel_windows.so"); }

const Api *load(QString *error) {
  return static_cast<const Api *>(
      program_modules::load({fileName(), EntryName, ApiVersion,
                             QStringLiteral("ウィンドウのモジュール")},
                            program_modules::usualFolders(), error));
}

}  // namespace windows_module
