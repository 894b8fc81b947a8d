// The bundled course written as a website, with and without its sound: a
// teacher waits for this, and the site's size is what students download.

#include <benchmark/benchmark.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include "export/render/SiteExport.h"
#include "sound/core/SoundFonts.h"
#include "sound/module/AudioRender.h"

namespace {

const QString Course = QStringLiteral(VARNEL_COURSE);

qint64 folderBytes(const QString &folder) {
  qint64 bytes = 0;
  QDirIterator files(folder, QDir::Files);
  while (files.hasNext()) bytes += QFileInfo(files.next()).size();
  return bytes;
}

void exportCourse(benchmark::State &state, bool withSound) {
  site_export::Options options;
  if (withSound) {
    const QString soundFont = sound_fonts::best();
    if (soundFont.isEmpty()) {
      state.SkipWithError("no SoundFont installed");
      return;
    }
    options.sound = [soundFont](const QByteArray &piece, const QString &path,
                                QString *error, const std::atomic<bool> &stop) {
      return audio_render::renderForWeb(piece, soundFont, path, error, nullptr,
                                        &stop);
    };
  }
  qint64 bytes = 0;
  for (auto _ : state) {
    // A fresh folder each time, as a teacher's first export is.
    state.PauseTiming();
    QTemporaryDir dir;
    state.ResumeTiming();
    const site_export::Outcome outcome =
        site_export::write(Course, dir.path(), options);
    if (!outcome.ok()) {
      state.SkipWithError(qPrintable(outcome.errors.join('\n')));
      return;
    }
    bytes = folderBytes(dir.path());
  }
  state.counters["site_bytes"] = double(bytes);
}

void BM_SiteExport_BundledCourseWithSound(benchmark::State &state) {
  exportCourse(state, true);
}
BENCHMARK(BM_SiteExport_BundledCourseWithSound)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_SiteExport_BundledCoursePagesOnly(benchmark::State &state) {
  exportCourse(state, false);
}
BENCHMARK(BM_SiteExport_BundledCoursePagesOnly)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
