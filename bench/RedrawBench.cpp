// A full redraw of a large page, against the floor of filling the same
// bitmap and copying as many 32 x 32 cells with memcpy, on a fresh bitmap
// every round and on one kept from round to round.

#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <cstring>

#include "LargePage.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/core/StaffGeometry.h"
#include "score/render/Canvas.h"

namespace {

constexpr int Inputs = LargePageInputs;

void BM_FullRedraw(benchmark::State &state) {
  const ScorePage &page = largePage();
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  for (auto _ : state) {
    canvas.RedrawPaper(page.StaffCount);
    auto error = canvas.ReplayInputs(page);
    benchmark::DoNotOptimize(error);
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

// 10,000 black cells copied onto a white bitmap, as many as the page has
// inputs, clipped on the right like glyphs at the page's edge.
void fillAndCopyCells(QImage &image, const QImage &cell) {
  image.fill(Qt::white);
  uchar *bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int i = 0; i < Inputs; ++i) {
    const int x = 24 + (i * 37) % 1232 - 16;
    const int y = 16 + (i * 4) % 2048 - 16;
    const int left = std::max(0, x), top = std::max(0, y);
    for (int r = 0; r < 32; ++r)
      std::memcpy(bits + (top + r) * stride + left * 4, cell.constScanLine(r),
                  static_cast<size_t>(std::min(32, image.width() - left)) * 4);
  }
  benchmark::DoNotOptimize(image.constBits());
}

QImage blackCell() {
  QImage cell(32, 32, QImage::Format_RGB32);
  cell.fill(Qt::black);
  return cell;
}

QImage pageSizedImage(const ScorePage &page) {
  return QImage(page.StaffWidth, staff_geometry::canvasHeight(page.StaffCount),
                QImage::Format_RGB32);
}

// The least any redraw must do: a fresh white bitmap and 10,000 cells.
void BM_RedrawFloor(benchmark::State &state) {
  const ScorePage &page = largePage();
  const QImage cell = blackCell();
  for (auto _ : state) {
    QImage image = pageSizedImage(page);
    fillAndCopyCells(image, cell);
  }
}
BENCHMARK(BM_RedrawFloor)->Unit(benchmark::kMillisecond);

// The same on one bitmap kept from round to round, as a canvas keeps its
// own: a fresh bitmap costs page faults that a redraw need not pay.
void BM_RedrawFloorReusedImage(benchmark::State &state) {
  const ScorePage &page = largePage();
  const QImage cell = blackCell();
  QImage image = pageSizedImage(page);
  for (auto _ : state) fillAndCopyCells(image, cell);
}
BENCHMARK(BM_RedrawFloorReusedImage)->Unit(benchmark::kMillisecond);

// The redraw and the reused-image floor in turn, so that the ratio is
// measured under the same conditions.
void BM_FullRedrawOverFloor(benchmark::State &state) {
  using Clock = std::chrono::steady_clock;
  const ScorePage &page = largePage();
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  const QImage cell = blackCell();
  QImage image = pageSizedImage(page);
  Clock::duration redraw{}, floor{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    canvas.RedrawPaper(page.StaffCount);
    auto error = canvas.ReplayInputs(page);
    benchmark::DoNotOptimize(error);
    benchmark::DoNotOptimize(canvas.image().constBits());
    const auto t1 = Clock::now();
    fillAndCopyCells(image, cell);
    redraw += t1 - t0;
    floor += Clock::now() - t1;
  }
  state.counters["ratio"] = std::chrono::duration<double>(redraw).count() /
                            std::chrono::duration<double>(floor).count();
}
BENCHMARK(BM_FullRedrawOverFloor)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The same page's 1,000 texts alone, to see what text drawing costs.
void BM_ReplayTextsOnly(benchmark::State &state) {
  ScorePage texts;
  const ScorePage &page = largePage();
  for (int i = 0; i < page.count(); ++i)
    if (!isGlyphReference(page.Inputs.content(i)))
      texts.append(page.Inputs.content(i), page.Inputs.x(i), page.Inputs.y(i));
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  for (auto _ : state) {
    auto error = canvas.ReplayInputs(texts);
    benchmark::DoNotOptimize(error);
  }
}
BENCHMARK(BM_ReplayTextsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

void BM_RedrawPaperOnly(benchmark::State &state) {
  Canvas canvas;
  canvas.ResizeCanvas(32, 1280);
  for (auto _ : state) {
    canvas.RedrawPaper(32);
    benchmark::DoNotOptimize(canvas.image().constBits());
  }
}
BENCHMARK(BM_RedrawPaperOnly)->Unit(benchmark::kMillisecond);

}  // namespace
