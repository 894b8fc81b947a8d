// The page drawn at a zoom, against its redraw at 100 % scaled by the
// number of pixels; scrolling at 400 %, which must draw only what scrolls
// into view; and the view's paint at 100 %, which zoom and high density
// must leave as cheap as drawing the bitmap bare.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <chrono>

#include "LargePage.h"
#include "score/render/Canvas.h"
#include "score/render/ZoomedCanvas.h"
#include "score/windows/CanvasView.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The whole large page at a scale (4: 400 %; 2: 100 % on a screen of two
// device pixels to the pixel), each round after a redraw at 100 %; "ratio"
// is the zoomed drawing's time over the redraw's times the pixel count,
// which must stay below 2.
void BM_ZoomedPageOverRedraw(benchmark::State &state) {
  const double scale = double(state.range(0));
  const ScorePage &page = largePage();
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  const PixelScale pixels(scale);
  QImage zoomed(int(pixels.edge(page.StaffWidth)),
                int(pixels.edge(canvas.image().height())),
                QImage::Format_RGB32);
  Clock::duration redraw{}, drawn{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    canvas.RedrawPaper(page.StaffCount);
    auto error = canvas.ReplayInputs(page);
    benchmark::DoNotOptimize(error);
    const auto t1 = Clock::now();
    zoomed_canvas::draw(canvas, pixels, zoomed, {0, 0});
    benchmark::DoNotOptimize(zoomed.constBits());
    redraw += t1 - t0;
    drawn += Clock::now() - t1;
  }
  state.counters["ratio"] = seconds(drawn) / (seconds(redraw) * scale * scale);
  state.counters["zoomed_ms"] = seconds(drawn) * 1e3 / state.iterations();
  state.counters["redraw_ms"] = seconds(redraw) * 1e3 / state.iterations();
}
BENCHMARK(BM_ZoomedPageOverRedraw)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);

// Counts the pixels the canvas is asked to paint.
class PaintCounter : public QObject {
 public:
  qint64 pixels = 0;

 protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Paint) {
      for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
        pixels += qint64(r.width()) * r.height();
    }
    return false;
  }
};

// The large page at 400 % in a 1000 x 700 view. Argument 0 scrolls 40
// pixels down each round, argument 1 repaints the whole view each round;
// "painted" is the share of the view painted per round.
void BM_ViewAt400(benchmark::State &state) {
  const bool whole = state.range(0) == 1;
  const ScorePage &page = largePage();
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  canvas.ReplayInputs(page);
  QScrollArea area;
  auto *view = new CanvasView(canvas);
  area.setWidget(view);
  view->setZoom(4);
  area.resize(1000, 700);
  area.show();
  QApplication::processEvents();
  PaintCounter counter;
  view->installEventFilter(&counter);
  QScrollBar *bar = area.verticalScrollBar();
  for (auto _ : state) {
    if (whole)
      view->update();
    else
      bar->setValue(bar->value() + 40 > bar->maximum() ? 0 : bar->value() + 40);
    QApplication::processEvents();
  }
  const QSize shown = area.viewport()->size();
  state.counters["painted"] =
      double(counter.pixels) /
      (double(shown.width()) * shown.height() * state.iterations());
}
BENCHMARK(BM_ViewAt400)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Draws a bitmap as it is, and nothing else.
class BareImage : public QWidget {
 public:
  explicit BareImage(const QImage &image) : image_(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(image.size());
  }

 protected:
  void paintEvent(QPaintEvent *event) override {
    QPainter(this).drawImage(event->rect(), image_, event->rect());
  }

 private:
  const QImage &image_;
};

// The large page painted whole at 100 % on a screen of one device pixel to
// the pixel, by the view and by a bare widget drawing the same bitmap, in
// alternating turns; "ratio" is the view's time over the bare widget's.
void BM_ViewAt100OverBareImage(benchmark::State &state) {
  const ScorePage &page = largePage();
  Canvas canvas;
  canvas.ResizeCanvas(page.StaffCount, page.StaffWidth);
  canvas.ReplayInputs(page);
  CanvasView view(canvas);
  BareImage bare(canvas.image());
  view.show();
  bare.show();
  QApplication::processEvents();
  Clock::duration viewed{}, bared{};
  const auto timed = [](QWidget &widget, Clock::duration &sum) {
    const auto start = Clock::now();
    widget.repaint();
    sum += Clock::now() - start;
  };
  bool viewFirst = true;
  for (auto _ : state) {
    // Each first in turn, so that neither gains from the other's warm
    // caches.
    if (viewFirst) timed(view, viewed);
    timed(bare, bared);
    if (!viewFirst) timed(view, viewed);
    viewFirst = !viewFirst;
  }
  state.counters["ratio"] = seconds(viewed) / seconds(bared);
  state.counters["view_ms"] = seconds(viewed) * 1e3 / state.iterations();
  state.counters["bare_ms"] = seconds(bared) * 1e3 / state.iterations();
  state.counters["dpr"] = view.devicePixelRatioF();
}
BENCHMARK(BM_ViewAt100OverBareImage)->Unit(benchmark::kMillisecond);

}  // namespace
