#include "app/core/KeyHelpCaption.h"

QString KeyHelpCaption::text() {
  return QStringLiteral("テキスト表示=F2　MIDI演奏=F3,F4　ページ移動=F11,F12");
}

QString KeyHelpCaption::show(const QString &caption) {
  if (caption != text()) saved_ = caption;
  return text();
}

QString KeyHelpCaption::restore(const QString &caption) const {
  return caption == text() ? saved_ : caption;
}
