#include "score/render/PageFonts.h"

namespace page_fonts {

void install() {
  static bool done = false;
  if (done) return;
  done = true;
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"),
                            QStringLiteral("IPAPMincho"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"),
                            QStringLiteral("IPAMincho"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"),
                            QStringLiteral("IPAPGothic"));
}

QFont pageTextFont() {
  install();
  QFont font(QStringLiteral("ＭＳ Ｐ明朝"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QFont mincho12() {
  install();
  QFont font(QStringLiteral("ＭＳ 明朝"));
  font.setPixelSize(12);
  return font;
}

}  // namespace page_fonts
