// A full redraw of a large page, against the floor of filling the same
// bitmap and copying as many 32 x 32 cells with memcpy.

#include <benchmark/benchmark.h>

#include <QImage>
#include <cstring>

#include "base/core/Cp932.h"
#include "score/core/Decimal.h"
#include "score/core/ScorePage.h"
#include "score/render/Canvas.h"

namespace {

constexpr int Inputs = 10000;

// 32 staves 1280 wide with 9,000 glyphs and 1,000 short texts.
const ScorePage &largePage() {
  static const ScorePage page = [] {
    ScorePage p;
    p.StaffCount = 32;
    p.StaffWidth = 1280;
    const QByteArray texts[] = {"Allegro", cp932::fromUnicode("ド"),
                                cp932::fromUnicode("全音符"), "rit."};
    for (int i = 0; i < Inputs; ++i) {
      const int x = 24 + (i * 37) % 1232;
      const int y = 16 + (i * 4) % 2048;
      if (i % 10 == 9)
        p.append(texts[i / 10 % 4], x, y);
      else
        p.append(glyphContent(i % 41), x, y);
    }
    return p;
  }();
  return page;
}

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

// The least any redraw must do: a fresh white bitmap and 10,000 cells.
void BM_RedrawFloor(benchmark::State &state) {
  const ScorePage &page = largePage();
  QImage cell(32, 32, QImage::Format_RGB32);
  cell.fill(Qt::black);
  for (auto _ : state) {
    QImage image(page.StaffWidth, 64 * page.StaffCount + 36,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int i = 0; i < Inputs; ++i) {
      const int x = 24 + (i * 37) % 1232 - 16;
      const int y = 16 + (i * 4) % 2048 - 16;
      const int left = std::max(0, x), top = std::max(0, y);
      for (int r = 0; r < 32; ++r)
        std::memcpy(
            bits + (top + r) * stride + left * 4, cell.constScanLine(r),
            static_cast<size_t>(std::min(32, image.width() - left)) * 4);
    }
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_RedrawFloor)->Unit(benchmark::kMillisecond);

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
