#include "app/core/RegionClipboard.h"

#include "base/core/Cp932.h"
#include "edit/core/RegionText.h"
#include "score/core/TextEntry.h"

void RegionClipboard::follow(const QString &text) {
  if (text == text_) return;
  text_ = text;
  bytes_.clear();
  unheld_.clear();
  converted_ = false;
}

void RegionClipboard::copied(const QString &text, const QByteArray &bytes) {
  text_ = text;
  bytes_ = bytes;
  unheld_.clear();
  converted_ = true;
}

bool RegionClipboard::looksLikeRegion() const {
  // One character past the marker tells whether the line ends there.
  const QString head = text_.left(region_text::Marker.size() + 1);
  return region_text::isRegionText(cp932::fromUnicode(head));
}

const QString &RegionClipboard::convert() {
  if (!converted_) {
    bool held = true;
    bytes_ = cp932::fromUnicode(text_, &held);
    unheld_ = held ? QString() : text_entry::unheldCharacters(text_);
    converted_ = true;
  }
  return unheld_;
}
