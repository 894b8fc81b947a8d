// The page's history on the large page, held by a real document that draws
// on the real canvas, so that the redraw after every step is in the time:
// a thousand mixed commands done, taken back and done again, the heap the
// history holds against the page's own, and the single steps that redraw
// the most (the whole-page shift and a delete of half the page), each
// against a plain full redraw of the same page.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QBuffer>
#include <QRect>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "LargePage.h"
#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "app/render/PageCanvasView.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"

namespace {

using Clock = std::chrono::steady_clock;

// The machine is shared: the time this thread ran is given beside the
// wall clock's.
struct Instant {
  Clock::time_point wall;
  double cpu;  // seconds
};

Instant now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return {Clock::now(), double(ts.tv_sec) + ts.tv_nsec * 1e-9};
}

// Seconds summed over many spans.
struct Span {
  double wall = 0, cpu = 0;
  void add(const Instant &from, const Instant &to) {
    wall += std::chrono::duration<double>(to.wall - from.wall).count();
    cpu += to.cpu - from.cpu;
  }
};

// A span's milliseconds per `n`, by the wall clock and on the processor.
void report(benchmark::State &state, const std::string &name, const Span &span,
            double n) {
  state.counters[name + "_ms"] = span.wall * 1e3 / n;
  state.counters[name + "_cpu_ms"] = span.cpu * 1e3 / n;
}

// Bytes the allocator has handed out and not taken back (the benchmark
// runs on one thread, in the main arena).
qint64 heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return qint64(info.uordblks + info.hblkhd);
}

// The real canvas, counting the full replays it is asked for.
class CountingCanvasView : public PageCanvasView {
 public:
  int replays = 0;
  std::optional<QByteArray> replayInputs(const ScorePage &page) override {
    ++replays;
    return PageCanvasView::replayInputs(page);
  }
};

// A document as the program holds it, in the Executive mode, with the large
// page read from its file bytes: the history starts empty.
struct LargeDocument {
  LargeDocument() {
    doc.newPage();
    doc.setExecutive(true);
    QByteArray bytes = page_format::pageFileBytes(
        "large", QByteArray(), page_format::dataPayload(1, largePage()),
        page_format::DefaultMaxChar);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!doc.loadFrom(buffer) || !(doc.page().Inputs == largePage().Inputs))
      qFatal("the large page did not load");
    view.replays = 0;
  }
  LargeDocument(const LargeDocument &) = delete;
  LargeDocument &operator=(const LargeDocument &) = delete;

  // Nothing the user would have been told or beeped at.
  bool quiet() const { return messages.shown.isEmpty() && !messages.beeps; }

  QTemporaryDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings{scratch.filePath(QStringLiteral("Vrn32.ini"))};
  CountingCanvasView view;
  Document doc{
      {messages, sequencer, settings, scratch.path() + QStringLiteral("/")},
      view};
};

// A rubber band drawn with the mouse in rectangle mode.
void dragRect(Document &doc, const QRect &rect) {
  PageInput &input = doc.input();
  input.setMode(EditMode::Rect);
  input.mousePressed(Qt::LeftButton, Qt::NoModifier, rect.topLeft());
  input.mouseMoved(Qt::LeftButton, rect.bottomRight());
  input.mouseReleased(Qt::LeftButton, rect.bottomRight());
}

QPoint spread(int seed, int width, int height) {
  return QPoint(40 + (seed * 131) % (width - 80),
                40 + (seed * 307) % (height - 80));
}

// A band of `size` somewhere on the page that takes in at least one input:
// the page's inputs lie on a lattice with holes, and the edits make more.
void selectSomewhere(Document &doc, int seed, QSize size) {
  for (int attempt = 0;; ++attempt) {
    dragRect(doc, QRect(spread(seed + attempt * 101, 1240 - size.width(),
                               2084 - size.height()),
                        size));
    if (!doc.regions().selection().isEmpty()) return;
  }
}

constexpr int Cycles = 50;
constexpr int CommandsPerCycle = 20;
constexpr int Commands = Cycles * CommandsPerCycle;

// Twenty steps of the history, as a user mixes them: stamps, a text, a
// region moved, copied and pasted, moved again, duplicated and another one
// deleted (about as many inputs go as came), two step erases, the page
// shifted down and back up, two inputs taken back and the paper's width.
void mixedCycle(Document &doc, int cycle) {
  PageInput &input = doc.input();
  input.setMode(EditMode::Note);
  for (int k = 0; k < 7; ++k) {
    input.choosePaletteButton(1 + (cycle + k) % 14);
    input.mousePressed(Qt::LeftButton, Qt::NoModifier,
                       spread(cycle * 7 + k, 1240, 2084));
  }
  const QPoint text = spread(cycle * 7 + 5, 1240, 2084);
  doc.appendInput("rit.", text.x(), text.y());

  RegionTool &regions = doc.regions();
  // About 50 inputs, then about 110.
  selectSomewhere(doc, cycle * 3 + 1, QSize(160, 80));
  regions.moveByArrow(MoveArrow::Down, Qt::NoModifier);
  regions.copy();
  regions.paste();
  regions.moveByArrow(MoveArrow::Right, Qt::ShiftModifier);
  regions.duplicate();
  selectSomewhere(doc, cycle * 3 + 2, QSize(200, 140));
  regions.remove();
  input.setMode(EditMode::None);

  StepEraser &eraser = doc.edits().stepEraser();
  eraser.open();
  eraser.markAt(doc.page().count());
  eraser.eraseMarked();
  eraser.eraseMarked();
  eraser.close();

  doc.edits().shiftPageDown();
  doc.edits().shiftPageUp();
  doc.edits().undoLastInput();
  doc.edits().undoLastInput();
  doc.edits().applyPaperDialog(32, cycle % 2 ? 1280 : 1240);
}

// The heap a tight copy of the list takes: what the page's inputs cost.
qint64 listBytes(const InputList &inputs) {
  const qint64 before = heapInUse();
  InputList copy;
  copy.reserve(inputs.byteCount(), inputs.count());
  for (int i = 0; i < inputs.count(); ++i)
    copy.append(inputs.content(i), inputs.x(i), inputs.y(i));
  benchmark::DoNotOptimize(copy);
  return heapInUse() - before;
}

// 1,000 commands, then undo of all and redo of all; the time is the whole
// run, the counters per command. Then the history's heap against the
// page's: after the redo every step holds what it held when first done.
void BM_HistoryMixedCommands(benchmark::State &state) {
  for (auto _ : state) {
    LargeDocument d;
    Document &doc = d.doc;
    const InputList original = doc.page().Inputs;
    Span done, undone, redone;
    int replays[3];

    const Instant t0 = now();
    for (int cycle = 0; cycle < Cycles; ++cycle) mixedCycle(doc, cycle);
    const Instant t1 = now();
    replays[0] = std::exchange(d.view.replays, 0);
    const int steps = doc.history().count();
    for (int i = 0; i < steps; ++i) doc.undo();
    const Instant t2 = now();
    replays[1] = std::exchange(d.view.replays, 0);
    const bool restored = doc.page().Inputs == original &&
                          doc.page().StaffWidth == largePage().StaffWidth;
    for (int i = 0; i < steps; ++i) doc.redo();
    const Instant t3 = now();
    replays[2] = d.view.replays;
    done.add(t0, t1);
    undone.add(t1, t2);
    redone.add(t2, t3);
    state.SetIterationTime(done.wall + undone.wall + redone.wall);

    if (steps != Commands || !restored || !d.quiet()) {
      state.SkipWithError("the mix did not run as planned");
      break;
    }
    // Taking the steps away is the one way to see what they held.
    const qint64 withHistory = heapInUse();
    const_cast<QUndoStack &>(doc.history()).clear();
    const qint64 historyBytes = withHistory - heapInUse();
    const qint64 pageBytes = listBytes(doc.page().Inputs);

    report(state, "do", done, Commands);
    report(state, "undo", undone, steps);
    report(state, "redo", redone, steps);
    state.counters["do_replays"] = double(replays[0]) / Commands;
    state.counters["undo_replays"] = double(replays[1]) / steps;
    state.counters["redo_replays"] = double(replays[2]) / steps;
    state.counters["steps"] = steps;
    state.counters["page_inputs"] = doc.page().count();
    state.counters["history_KiB"] = historyBytes / 1024.0;
    state.counters["page_list_KiB"] = pageBytes / 1024.0;
    state.counters["history_over_page"] = double(historyBytes) / pageBytes;
  }
}
BENCHMARK(BM_HistoryMixedCommands)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A hundred steps of one kind on the large page, and the heap they hold:
// where the history's bytes go. Each step returns the inputs it carries.
using Step = int (*)(Document &, int);

void BM_HistoryBytesPerStep(benchmark::State &state, Step step) {
  constexpr int Steps = 100;
  for (auto _ : state) {
    LargeDocument d;
    int carried = 0;
    for (int i = 0; i < Steps; ++i) carried += step(d.doc, i);
    if (d.doc.history().count() != Steps || !d.quiet()) {
      state.SkipWithError("the steps were not taken");
      break;
    }
    const qint64 withHistory = heapInUse();
    const_cast<QUndoStack &>(d.doc.history()).clear();
    state.counters["bytes_per_step"] =
        double(withHistory - heapInUse()) / Steps;
    state.counters["inputs_per_step"] = double(carried) / Steps;
  }
}

int stamp(Document &doc, int i) {
  doc.input().setMode(EditMode::Note);
  doc.input().mousePressed(Qt::LeftButton, Qt::NoModifier,
                           spread(i, 1240, 2084));
  return 1;
}

int selected(Document &doc, int i, QSize size) {
  selectSomewhere(doc, i, size);
  return int(doc.regions().selection().size());
}

int moveRegion(Document &doc, int i) {
  const int n = selected(doc, i, QSize(160, 80));
  doc.regions().moveByArrow(MoveArrow::Down, Qt::NoModifier);
  return n;
}

int pasteRegion(Document &doc, int i) {
  const int n = selected(doc, i, QSize(160, 80));
  doc.regions().copy();
  doc.regions().paste();
  return n;
}

int duplicateRegion(Document &doc, int i) {
  const int n = selected(doc, i, QSize(160, 80));
  doc.regions().duplicate();
  return n;
}

int deleteRegion(Document &doc, int i) {
  const int n = selected(doc, i, QSize(200, 140));
  doc.regions().remove();
  return n;
}

int stepErase(Document &doc, int) {
  StepEraser &eraser = doc.edits().stepEraser();
  eraser.open();
  eraser.markAt(doc.page().count());
  eraser.eraseMarked();
  eraser.close();
  return 1;
}

int shiftPage(Document &doc, int i) {
  if (i % 2)
    doc.edits().shiftPageUp();
  else
    doc.edits().shiftPageDown();
  return doc.page().count();
}

int paperWidth(Document &doc, int i) {
  doc.edits().applyPaperDialog(32, i % 2 ? 1280 : 1240);
  return 0;
}

BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, stamp, stamp)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, move, moveRegion)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, paste, pasteRegion)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, duplicate, duplicateRegion)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, delete, deleteRegion)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, step_erase, stepErase)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, shift, shiftPage)->Iterations(1);
BENCHMARK_CAPTURE(BM_HistoryBytesPerStep, paper, paperWidth)->Iterations(1);

// One step done on the large page, then taken back and done again: the
// time per iteration is the pair, the counters each alone beside a plain
// full redraw of the page as the undo leaves it, on the same canvas,
// measured in turn.
template <typename Step>
void undoRedo(benchmark::State &state, Step step) {
  LargeDocument d;
  Document &doc = d.doc;
  Span done, undo, redo, redraw;
  const Instant t0 = now();
  const int touched = step(doc);
  done.add(t0, now());
  if (doc.history().count() != 1 || !d.quiet()) {
    state.SkipWithError("the step was not taken");
    return;
  }
  for (auto _ : state) {
    const Instant a = now();
    doc.undo();
    const Instant b = now();
    doc.redrawAll();
    const Instant c = now();
    doc.redo();
    const Instant e = now();
    undo.add(a, b);
    redraw.add(b, c);
    redo.add(c, e);
    state.SetIterationTime(
        std::chrono::duration<double>(b.wall - a.wall + e.wall - c.wall)
            .count());
  }
  const double n = double(state.iterations());
  state.counters["inputs_touched"] = touched;
  report(state, "do", done, 1);
  report(state, "undo", undo, n);
  report(state, "redo", redo, n);
  report(state, "redraw", redraw, n);
  state.counters["undo_over_redraw_cpu"] = undo.cpu / redraw.cpu;
  state.counters["redo_over_redraw_cpu"] = redo.cpu / redraw.cpu;
}

void BM_HistoryShiftUndoRedo(benchmark::State &state) {
  undoRedo(state, [](Document &doc) {
    doc.edits().shiftPageDown();
    return doc.page().count();
  });
}
BENCHMARK(BM_HistoryShiftUndoRedo)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The band from the top of the canvas whose inputs come nearest to 5,000.
QRect halfPageBand(const ScorePage &page) {
  QList<int> ys;
  for (int i = 0; i < page.count(); ++i)
    ys << parseDecimal(page.Inputs.y(i)).value_or(INT_MAX);
  int best = 0, bestCount = 0;
  for (int bottom = 1; bottom < 2100; ++bottom) {
    const int count = int(std::count_if(ys.cbegin(), ys.cend(),
                                        [&](int y) { return y < bottom; }));
    if (std::abs(count - 5000) < std::abs(bestCount - 5000)) {
      best = bottom;
      bestCount = count;
    }
  }
  // Inside means strictly between the edges.
  return QRect(QPoint(0, -1), QPoint(page.StaffWidth + 1, best));
}

void BM_HistoryRegionDeleteUndoRedo(benchmark::State &state) {
  const QRect band = halfPageBand(largePage());
  undoRedo(state, [&](Document &doc) {
    dragRect(doc, band);
    const int selected = int(doc.regions().selection().size());
    doc.regions().remove();
    return selected;
  });
}
BENCHMARK(BM_HistoryRegionDeleteUndoRedo)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The floor: the document's own full redraw of the large page.
void BM_HistoryFullRedraw(benchmark::State &state) {
  LargeDocument d;
  for (auto _ : state) d.doc.redrawAll();
}
BENCHMARK(BM_HistoryFullRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
