// The one symbol the program looks up in the sound module.
#include <QThread>

#include "sound/core/SoundModule.h"
#include "sound/module/AudioRender.h"
#include "sound/module/FluidSynthSequencer.h"

namespace {

Sequencer *makeSequencer(const QString &soundFont, const QStringList &drivers,
                         const QString &fileName, QThread *home) {
  auto *sequencer = new FluidSynthSequencer(
      FluidSynthSequencer::Options{drivers, fileName, soundFont});
  sequencer->moveToThread(home);
  return sequencer;
}

bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error, bool *cut) {
  return audio_render::renderToWav(piece, soundFont, wavPath, error, cut);
}

bool renderForWeb(const QByteArray &piece, const QString &soundFont,
                  const QString &stemPath, QString *error,
                  const std::atomic<bool> *stop) {
  return audio_render::renderForWeb(piece, soundFont, stemPath, error, nullptr,
                                    stop);
}

const sound_module::Api api{sound_module::ApiVersion, makeSequencer,
                            renderToWav, renderForWeb};

}  // namespace

extern "C" __attribute__((visibility("default"))) const void *
varnel_sound_module() {
  return &api;
}
