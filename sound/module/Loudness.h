#pragma once

#include <vector>

// Loudness as listeners hear it (ITU-R BS.1770: K-weighted, gated mean
// square over 400 ms blocks) and the gain that brings a piece to a common
// level, so that every page of a course plays equally loud.
namespace loudness {

// Integrated loudness in LUFS of interleaved samples; -inf for silence or
// a sound shorter than one block.
double integrated(const std::vector<float> &samples, int channels, int rate);

// The highest level between the samples as well (four times oversampled),
// in dBFS; -inf for silence.
double truePeakDb(const std::vector<float> &samples, int channels);

struct Levels {
  double before = 0;     // LUFS
  double after = 0;      // LUFS
  double peakAfter = 0;  // true peak, dBFS
};

// Brings the samples to about `targetLufs`, holding the true peak under
// `ceilingDb` with a look-ahead limiter where the gain alone would clip.
Levels normalise(std::vector<float> &samples, int channels, int rate,
                 double targetLufs = -16, double ceilingDb = -1);

}  // namespace loudness
