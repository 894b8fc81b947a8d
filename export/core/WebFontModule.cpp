#include "export/core/WebFontModule.h"

#include "base/core/ProgramModules.h"

namespace web_font_module {

QString fileName() { return QStringLiteral("libvarnel_webfont.so"); }

const Api *load(QString *error) {
  return static_cast<const Api *>(
      program_modules::load({fileName(), EntryName, ApiVersion,
                             QStringLiteral("Webフォントのモジュール")},
                            program_modules::usualFolders(), error));
}

}  // namespace web_font_module
