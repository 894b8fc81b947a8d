// Page file reading and writing through a real file, against the floor of
// reading the same bytes and finding every "|" with memchr.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>

#include "base/core/Cp932.h"
#include "files/core/PageFormat.h"

using namespace page_format;

namespace {

// 10,000 inputs (glyphs on the staff grid, every tenth a text, some of them
// shifted above the page) and 2,000 lines of page text.
ScorePage largePage() {
  ScorePage page;
  page.StaffCount = 32;
  page.StaffWidth = 1280;
  const QByteArray texts[] = {"Allegro", cp932::fromUnicode("ポルカ風に"),
                              "rit.", cp932::fromUnicode("三連符")};
  for (int i = 0; i < 10000; ++i) {
    const int x = 24 + (i * 37) % 1240;
    const int y = (i % 97) * 20 - 64;
    if (i % 10 == 9)
      page.append(texts[i / 10 % 4], x, y);
    else
      page.append(glyphContent(i % 41), x, y / 4 * 4);
  }
  for (int i = 0; i < 2000; ++i) {
    page.PageText += cp932::fromUnicode(
        QStringLiteral("第%1小節：左手は和音を保ち、右手の旋律をよく歌わせる。")
            .arg(i + 1));
    page.PageText += " (bar " + QByteArray::number(i + 1) + ")\r\n";
  }
  return page;
}

QByteArray writePage(const ScorePage &page, const QString &path) {
  const QByteArray bytes =
      pageFileBytes(internalNameFor(path, DefaultMaxChar), page.PageText,
                    dataPayload(1, page), DefaultMaxChar);
  QString error;
  if (!writeFileSafely(path, bytes, &error)) qFatal("%s", qPrintable(error));
  return bytes;
}

// The page file on disk, written once for the reading benchmarks.
struct PageOnDisk {
  QTemporaryDir dir;
  QString path = dir.filePath("large.fum");
  qint64 size = writePage(largePage(), path).size();
};

const PageOnDisk &pageOnDisk() {
  static const PageOnDisk file;
  return file;
}

void readPage(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot open the page");
  PageBlock block = readPageBlock(file);
  DataFields fields = splitDataPayload(block.dataPayload);
  QByteArray text = decodeTextPayload(std::move(block.textPayload));
  benchmark::DoNotOptimize(fields);
  benchmark::DoNotOptimize(text);
}

void readAndFindBars(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot open the page");
  const QByteArray bytes = file.readAll();
  const char *p = bytes.constData();
  const char *end = p + bytes.size();
  qsizetype bars = 0;
  while ((p = static_cast<const char *>(std::memchr(p, '|', end - p)))) {
    ++bars;
    ++p;
  }
  benchmark::DoNotOptimize(bars);
}

void BM_PageFileWrite(benchmark::State &state) {
  const ScorePage page = largePage();
  QTemporaryDir dir;
  const QString path = dir.filePath("large.fum");
  qint64 size = 0;
  for (auto _ : state) size = writePage(page, path).size();
  state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_PageFileWrite)->Unit(benchmark::kMicrosecond);

void BM_PageFileRead(benchmark::State &state) {
  const PageOnDisk &file = pageOnDisk();
  for (auto _ : state) readPage(file.path);
  state.SetBytesProcessed(state.iterations() * file.size);
}
BENCHMARK(BM_PageFileRead)->Unit(benchmark::kMicrosecond);

void BM_PageFileReadFloor(benchmark::State &state) {
  const PageOnDisk &file = pageOnDisk();
  for (auto _ : state) readAndFindBars(file.path);
  state.SetBytesProcessed(state.iterations() * file.size);
}
BENCHMARK(BM_PageFileReadFloor)->Unit(benchmark::kMicrosecond);

// Both in turn, so that the ratio is measured under the same conditions.
void BM_PageFileReadOverFloor(benchmark::State &state) {
  using Clock = std::chrono::steady_clock;
  const PageOnDisk &file = pageOnDisk();
  Clock::duration reader{}, floor{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    readPage(file.path);
    const auto t1 = Clock::now();
    readAndFindBars(file.path);
    reader += t1 - t0;
    floor += Clock::now() - t1;
  }
  state.counters["ratio"] = std::chrono::duration<double>(reader).count() /
                            std::chrono::duration<double>(floor).count();
  state.counters["file_bytes"] = static_cast<double>(file.size);
}
BENCHMARK(BM_PageFileReadOverFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
