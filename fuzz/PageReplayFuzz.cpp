// Feeds any bytes to the page reader as the program opens a page, then
// draws the page on a canvas of the size it asks for, as opening a page
// does. Sizes the canvas cannot take must have been brought into range,
// and the page drawn in one replay must look as it does drawn input by
// input, as the editor draws each new input.

#include <QBuffer>
#include <QGuiApplication>

#include "FuzzCheck.h"
#include "files/core/PageFile.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffLimits.h"
#include "score/render/Canvas.h"

namespace {

Canvas *replayed = nullptr;
Canvas *oneByOne = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  // No display: the offscreen platform draws, as in the headless modes.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext &, const QString &) {});
  new QGuiApplication(*argc, *argv);
  replayed = new Canvas();
  oneByOne = new Canvas();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QByteArray bytes = fuzzBytes(data, size);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  ScorePage page;
  const page_file::LoadResult result = page_file::readFrom(page, buffer);
  if (result.status != page_file::LoadResult::Status::Loaded) return 0;
  CHECK(staff_limits::countInRange(page.StaffCount));
  CHECK(staff_limits::widthInRange(page.StaffWidth));

  replayed->ResizeCanvas(page.StaffCount, page.StaffWidth);
  CHECK(replayed->image().width() == page.StaffWidth);
  CHECK(replayed->image().height() ==
        staff_limits::canvasHeight(page.StaffCount));
  const auto error = replayed->ReplayInputs(page);
  if (error) {
    CHECK(error->input >= 0 && error->input < page.count());
    return 0;
  }

  oneByOne->ResizeCanvas(page.StaffCount, page.StaffWidth);
  for (int i = 0; i < page.count(); ++i) {
    oneByOne->drawInput(page.Inputs.content(i).toByteArray(),
                        *parseDecimal(page.Inputs.x(i)),
                        *parseDecimal(page.Inputs.y(i)));
  }
  CHECK(oneByOne->image() == replayed->image());
  return 0;
}
