#pragma once

#include <QString>

namespace audio_render {

// The longest a piece is rendered: a file whose ticks run on for hours is
// cut here, which keeps its WAV file within some 640 MB.
constexpr double MaxPieceSeconds = 3600;

// The warning for a piece written only up to `maxSeconds`.
QString cutMessage(const QString &piecePath,
                   double maxSeconds = MaxPieceSeconds);

}  // namespace audio_render
