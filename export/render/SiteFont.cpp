#include "export/render/SiteFont.h"

namespace site_font {

std::optional<Subset> make(const QString &fontPath,
                           const QList<char32_t> &characters, QString *error) {
  const web_font_module::Api *module = web_font_module::load(error);
  if (!module) return std::nullopt;
  Subset out;
  if (!module->cut(fontPath, characters, &out.trueType, &out.woff2, error))
    return std::nullopt;
  return out;
}

}  // namespace site_font
