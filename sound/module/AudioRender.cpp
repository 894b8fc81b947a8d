#include "sound/module/AudioRender.h"

#include <QFile>
#include <QFileInfo>

#include "sound/core/SoundFonts.h"
#include "sound/core/StandardMidiFile.h"
#include "sound/module/FluidSynthSetup.h"

namespace audio_render {
namespace {

// What a released note leaves in the reverberation once no voice sounds.
constexpr double ReverbSeconds = 0.3;
// A guard against a file whose ticks run on for hours.
constexpr double MaxPieceSeconds = 3600;

QString cannotWrite(const QString &path) {
  return QStringLiteral("「%1」に書き込めません。")
      .arg(QFileInfo(path).fileName());
}

class Renderer {
 public:
  Renderer(fluid_synth_t *synth, fluid_settings_t *settings)
      : synth_(synth), file_(new_fluid_file_renderer(synth)) {
    int frames = 64;
    fluid_settings_getint(settings, "audio.period-size", &frames);
    blockSeconds_ = double(frames) / fluid_setup::SampleRate;
  }
  bool started() const { return file_ != nullptr; }
  // Renders one block; false when the file cannot be written.
  bool block() {
    seconds_ += blockSeconds_;
    return fluid_file_renderer_process_block(file_.get()) == FLUID_OK;
  }
  double seconds() const { return seconds_; }

  // The notes' release, then the reverberation, within the tail's limit.
  bool tail() {
    const double limit = seconds_ + MaxTailSeconds;
    double quietSince = -1;
    while (seconds_ + blockSeconds_ <= limit) {
      if (fluid_synth_get_active_voice_count(synth_) > 0)
        quietSince = -1;
      else if (quietSince < 0)
        quietSince = seconds_;
      else if (seconds_ - quietSince >= ReverbSeconds)
        break;
      if (!block()) return false;
    }
    return true;
  }

 private:
  fluid_synth_t *synth_;
  fluid_setup::FileRenderer file_;
  double blockSeconds_ = 0;
  double seconds_ = 0;
};

}  // namespace

bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error) {
  fluid_setup::quietLog();
  const qint64 ticks = standard_midi::lengthInTicks(piece);
  const fluid_setup::Settings settings = fluid_setup::makeSettings();
  fluid_settings_setstr(settings.get(), "audio.file.name",
                        QFile::encodeName(wavPath).constData());
  fluid_settings_setstr(settings.get(), "audio.file.type", "wav");
  fluid_settings_setstr(settings.get(), "audio.file.format", "s16");
  const fluid_setup::Synth synth =
      fluid_setup::makeSynth(settings.get(), soundFont);
  if (!synth) {
    *error = sound_fonts::missingMessage();
    return false;
  }
  const fluid_setup::Player player =
      fluid_setup::makePlayer(synth.get(), piece);
  Renderer renderer(synth.get(), settings.get());
  if (!player || !renderer.started()) {
    *error = cannotWrite(wavPath);
    return false;
  }
  fluid_player_play(player.get());
  const auto over = [&] {
    return fluid_setup::pieceOver(
        player.get(), fluid_player_get_current_tick(player.get()), ticks);
  };
  bool written = true;
  while (written && !over() && renderer.seconds() < MaxPieceSeconds)
    written = renderer.block();
  // Cut off by the guard, the player stops; at the end the last notes are
  // let go and ring out, as they do in the window's player.
  if (!over()) fluid_player_stop(player.get());
  fluid_setup::releaseAllNotes(synth.get());
  if (!written || !renderer.tail()) {
    *error = cannotWrite(wavPath);
    return false;
  }
  return true;
}

}  // namespace audio_render
