// Feeds any bytes to Paste's reader of the region text: as the clipboard
// mirror holds them, and as text another program put on the clipboard
// (read as UTF-8 and brought to code page 932 as the program does). A
// region that is taken must have whole numbers for places, copy back to
// the same region, and, pasted into a page, be saved and read back whole.

#include <QString>

#include "FuzzCheck.h"
#include "HeapPeak.h"
#include "base/core/Cp932.h"
#include "edit/core/RegionText.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"

using namespace region_text;

namespace {

void checkSaved(const InputList &inputs) {
  ScorePage page;
  page.Inputs = inputs;
  const QByteArray file = page_format::pageFileBytes(
      "region", QByteArray(), page_format::dataPayload(1, page),
      page_format::DefaultMaxChar);
  const page_format::PageBlock block = page_format::readPageBlock(file);
  CHECK(block.internalName == "region");
  const page_format::DataFields fields =
      page_format::splitDataPayload(block.dataPayload);
  CHECK(fields.inputs == inputs);
}

void checkPaste(const QByteArray &text, bool fromOtherProgram) {
  if (!isRegionText(text)) return;
  const heap_peak::Measure heap;
  const Parsed parsed = parse(text);
  CHECK(heap_peak::withinBound(heap.grown(), text.size()));
  const InputList &inputs = parsed.region.inputs;
  if (!parsed.ok) {
    CHECK(inputs.isEmpty());
    return;
  }
  for (int i = 0; i < inputs.count(); ++i) {
    CHECK(parseDecimal(inputs.x(i)).has_value());
    CHECK(parseDecimal(inputs.y(i)).has_value());
  }
  // Copying the pasted region gives it back unchanged.
  const QByteArray copied = compose(parsed.region);
  CHECK(isRegionText(copied));
  const Parsed again = parse(copied);
  CHECK(again.ok);
  CHECK(again.region.rect == parsed.region.rect);
  CHECK(again.region.inputs == inputs);
  // What another program can put on the clipboard is whole characters; the
  // page must hold it as it was pasted.
  if (fromOtherProgram) checkSaved(inputs);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  heap_peak::install();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes = fuzzBytes(data, size);
  checkPaste(bytes, false);
  bool held = true;
  const QByteArray clipboard =
      cp932::fromUnicode(QString::fromUtf8(bytes), &held);
  // Paste refuses a text with characters code page 932 cannot hold.
  if (held) checkPaste(clipboard, true);
  return 0;
}
