#include "app/core/RegionClipboard.h"

#include "base/core/Cp932.h"
#include "edit/core/RegionText.h"
#include "score/core/TextEntry.h"

namespace {

bool startsRegion(const QString &text) {
  const QString head = text.left(RegionClipboard::headLength());
  return region_text::isRegionText(cp932::fromUnicode(head));
}

}  // namespace

int RegionClipboard::headLength() { return region_text::Marker.size() + 1; }

int RegionClipboard::changed() { return ++change_; }

bool RegionClipboard::heard(int change, const QString &head) {
  if (change != change_) return false;
  region_ = startsRegion(head);
  return true;
}

void RegionClipboard::copied(const QString &text, const QByteArray &bytes) {
  // A head still on its way tells of the clipboard before this copy.
  ++change_;
  region_ = startsRegion(text);
  text_ = text;
  bytes_ = bytes;
  unheld_.clear();
  converted_ = true;
}

bool RegionClipboard::follow(const QString &text) {
  if (text != text_) {
    text_ = text;
    bytes_.clear();
    unheld_.clear();
    converted_ = false;
  }
  return startsRegion(text_);
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
