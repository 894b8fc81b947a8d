#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>

#include "sound/core/RenderBounds.h"
#include "sound/module/Loudness.h"

// Renders a piece offline, as fast as the synthesizer goes, through the same
// SoundFont and settings as the player.
namespace audio_render {

// Writes a piece (a standard MIDI file's bytes) to a 16-bit stereo 44.1 kHz
// WAV file, with the tail of the last notes until they have died away (see
// RenderBounds.h); false with the reason worded for the user in `error`. A
// piece longer than `maxSeconds` is written up to there, and `cut` (when
// given) says so.
bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error, bool *cut = nullptr,
                 double maxSeconds = MaxPieceSeconds);

// The piece for a web page: brought to the common loudness and written as
// `stemPath`.mp3 and `stemPath`.ogg, both or neither; false with the reason
// in `error`. `levels`, when given, tells the loudness before and after.
// `stop` (when given), set meanwhile, ends it at once and nothing is
// written.
bool renderForWeb(const QByteArray &piece, const QString &soundFont,
                  const QString &stemPath, QString *error,
                  loudness::Levels *levels = nullptr,
                  const std::atomic<bool> *stop = nullptr);

}  // namespace audio_render
