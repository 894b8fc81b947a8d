#include "score/render/PageFonts.h"

namespace page_fonts {

namespace {

struct Mapping {
  const char16_t *windowsName;
  const char16_t *installedName;
};

constexpr Mapping Mappings[] = {
    {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
    {u"ＭＳ 明朝", u"IPAMincho"},
    {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
};

}  // namespace

QFont face(const QString &windowsName, int pixelSize) {
  QString family = windowsName;
  for (const Mapping &mapping : Mappings)
    if (windowsName == QString::fromUtf16(mapping.windowsName))
      family = QString::fromUtf16(mapping.installedName);
  QFont font(family);
  font.setPixelSize(pixelSize);
  return font;
}

QFont pageTextFont() {
  QFont font = face(QStringLiteral("ＭＳ Ｐ明朝"), 12);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QFont mincho12() { return face(QStringLiteral("ＭＳ 明朝"), 12); }

QFont gothic12() { return face(QStringLiteral("ＭＳ Ｐゴシック"), 12); }

}  // namespace page_fonts
