#pragma once

#include <QByteArray>
#include <QString>

// Renders a piece offline, as fast as the synthesizer goes, through the same
// SoundFont and settings as the player.
namespace audio_render {

// How long the sound may ring on after the piece's last event: by then a
// released note of the General MIDI SoundFont is some 60 dB down.
constexpr double MaxTailSeconds = 1.0;

// The longest a piece is rendered: a file whose ticks run on for hours is
// cut here, which keeps its WAV file within some 640 MB.
constexpr double MaxPieceSeconds = 3600;

// Writes a piece (a standard MIDI file's bytes) to a 16-bit stereo 44.1 kHz
// WAV file, with the tail of the last notes until they are silent; false
// with the reason worded for the user in `error`. A piece longer than
// `maxSeconds` is written up to there, and `cut` (when given) says so.
bool renderToWav(const QByteArray &piece, const QString &soundFont,
                 const QString &wavPath, QString *error, bool *cut = nullptr,
                 double maxSeconds = MaxPieceSeconds);

// The warning for a piece written only up to `maxSeconds`.
QString cutMessage(const QString &piecePath,
                   double maxSeconds = MaxPieceSeconds);

}  // namespace audio_render
