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

const sound_module::Api api{sound_module::ApiVersion, makeSequencer,
                            audio_render::renderToWav};

}  // namespace

extern "C" __attribute__((visibility("default"))) const sound_module::Api *
varnel_sound_module() {
  return &api;
}
