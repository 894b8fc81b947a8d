#pragma once

#include <QString>

namespace audio_render {

// The longest a piece is rendered: a file whose ticks run on for hours is
// cut here, which keeps its WAV file within some 640 MB.
constexpr double MaxPieceSeconds = 3600;

// After the last event the last notes ring out, and the file ends once the
// sound has stayed below QuietDbfs for QuietSeconds: a released organ note
// of FluidR3_GM takes over a second, of TimGM6mb half of one. A tail is cut
// at MaxTailSeconds all the same.
constexpr double QuietDbfs = -60;
constexpr double QuietSeconds = 0.05;
constexpr double MaxTailSeconds = 10;

// The warning for a piece written only up to `maxSeconds`.
QString cutMessage(const QString &piecePath,
                   double maxSeconds = MaxPieceSeconds);

}  // namespace audio_render
