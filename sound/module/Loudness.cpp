#include "sound/module/Loudness.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <numbers>

namespace loudness {
namespace {

constexpr double Silence = -std::numeric_limits<double>::infinity();

struct Biquad {
  double b0, b1, b2, a1, a2;
  double z1 = 0, z2 = 0;
  double operator()(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

// The K-weighting's two stages (a high shelf for the head, a high pass),
// from their analogue prototypes so that any sample rate has them.
Biquad shelf(int rate) {
  const double f0 = 1681.974450955533, gain = 3.999843853973347,
               q = 0.7071752369554196;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double vh = std::pow(10.0, gain / 20),
               vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1 + k / q + k * k;
  return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0,
          (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0,
          (1 - k / q + k * k) / a0};
}

Biquad highPass(int rate) {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(std::numbers::pi * f0 / rate);
  const double a0 = 1 + k / q + k * k;
  return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

double lufs(double meanSquare) { return -0.691 + 10 * std::log10(meanSquare); }

// Gain per frame so that no sample exceeds `ceiling`: the lowest need
// within `reach` frames either side, averaged over the same reach, so the
// gain glides into each peak and out again and never lets one through.
std::vector<float> limiterGain(const std::vector<float> &samples, int channels,
                               double ceiling, int reach) {
  const size_t frames = samples.size() / size_t(channels);
  if (frames == 0) return {};
  std::vector<float> need(frames, 1.0f);
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c) {
      const float level = std::abs(samples[i * channels + c]);
      if (level > ceiling) need[i] = std::min(need[i], float(ceiling / level));
    }
  // The sliding minimum, with a queue of candidates.
  std::vector<float> lowest(frames);
  std::deque<size_t> window;
  for (size_t i = 0; i < frames + reach; ++i) {
    if (i < frames) {
      while (!window.empty() && need[window.back()] >= need[i])
        window.pop_back();
      window.push_back(i);
    }
    if (i < size_t(reach)) continue;
    const size_t at = i - reach;
    while (window.front() + reach < at) window.pop_front();
    lowest[at] = need[window.front()];
  }
  std::vector<float> gain(frames);
  double sum = 0;
  // Past either end the edge's own need holds, which still covers every
  // frame within reach of it.
  const auto value = [&](long i) {
    return double(lowest[size_t(std::clamp(i, 0L, long(frames) - 1))]);
  };
  for (long i = -reach; i <= reach; ++i) sum += value(i);
  for (size_t i = 0; i < frames; ++i) {
    gain[i] = float(sum / (2 * reach + 1));
    sum += value(long(i) + reach + 1) - value(long(i) - reach);
  }
  return gain;
}

}  // namespace

double integrated(const std::vector<float> &samples, int channels, int rate) {
  const size_t frames = samples.size() / size_t(channels);
  const size_t step = size_t(rate) / 10, block = 4 * step;  // 400 ms, 75 %
  if (frames < block) return Silence;
  // The weighted squares summed per 100 ms; a block is four of them.
  std::vector<double> quarters(frames / step, 0.0);
  for (int c = 0; c < channels; ++c) {
    Biquad first = shelf(rate), second = highPass(rate);
    for (size_t i = 0; i < quarters.size() * step; ++i) {
      const double y = second(first(samples[i * channels + c]));
      quarters[i / step] += y * y;
    }
  }
  std::vector<double> blocks;
  for (size_t i = 0; i + 4 <= quarters.size(); ++i)
    blocks.push_back(
        (quarters[i] + quarters[i + 1] + quarters[i + 2] + quarters[i + 3]) /
        double(block));
  const auto gatedMean = [&](double gate) {
    double sum = 0;
    int n = 0;
    for (const double z : blocks)
      if (z > 0 && lufs(z) > gate) sum += z, ++n;
    return n ? sum / n : 0.0;
  };
  const double absolute = gatedMean(-70);
  if (absolute <= 0) return Silence;
  const double mean = gatedMean(lufs(absolute) - 10);
  return mean > 0 ? lufs(mean) : Silence;
}

double truePeakDb(const std::vector<float> &samples, int channels) {
  // A windowed sinc at the three points between each pair of samples.
  constexpr int Taps = 8, Phases = 4, Span = 2 * Taps;
  double kernel[Phases][Span];
  double reach = 0;  // how far over its samples an interpolated point goes
  for (int p = 1; p < Phases; ++p) {
    double sum = 0;
    for (int k = 0; k < Span; ++k) {
      const double t = k - Taps + 1 - double(p) / Phases;
      const double x = std::numbers::pi * t;
      const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * t / Taps);
      kernel[p][k] = std::sin(x) / x * window;
      sum += std::abs(kernel[p][k]);
    }
    reach = std::max(reach, sum);
  }
  const long frames = long(samples.size()) / channels;
  double peak = 0;
  for (int c = 0; c < channels; ++c) {
    // Most of a piece is far below its loudest notes: a stretch whose
    // samples cannot reach the peak found so far between them is skipped.
    constexpr long Stretch = 256;
    for (long from = 0; from < frames; from += Stretch) {
      const long to = std::min(frames, from + Stretch);
      double local = 0;
      for (long j = std::max(0L, from - Taps); j < std::min(frames, to + Taps);
           ++j)
        local = std::max(local, double(std::abs(samples[j * channels + c])));
      peak = std::max(peak, local);  // the samples themselves
      if (local * reach <= peak) continue;
      for (long i = from; i < to; ++i)
        for (int p = 1; p < Phases; ++p) {
          double sum = 0;
          for (int k = 0; k < Span; ++k) {
            const long j = i + k - Taps + 1;
            if (j >= 0 && j < frames)
              sum += kernel[p][k] * samples[j * channels + c];
          }
          peak = std::max(peak, std::abs(sum));
        }
    }
  }
  return peak > 0 ? 20 * std::log10(peak) : Silence;
}

Levels normalise(std::vector<float> &samples, int channels, int rate,
                 double targetLufs, double ceilingDb) {
  Levels levels;
  levels.before = integrated(samples, channels, rate);
  if (!std::isfinite(levels.before)) {
    levels.after = levels.before;
    levels.peakAfter = truePeakDb(samples, channels);
    return levels;
  }
  // The limiter holds the samples half a decibel under the ceiling, which
  // leaves room for the peaks between them; what it takes off the loudness
  // is made up by a second, smaller gain.
  const double sampleCeiling = std::pow(10.0, (ceilingDb - 0.5) / 20);
  const int reach = rate / 400;  // 2.5 ms
  const std::vector<float> original = samples;
  double gainDb = targetLufs - levels.before;
  for (int round = 0; round < 3; ++round) {
    const float gain = float(std::pow(10.0, gainDb / 20));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = original[i] * gain;
    const std::vector<float> limit =
        limiterGain(samples, channels, sampleCeiling, reach);
    for (size_t i = 0; i < samples.size(); ++i)
      samples[i] *= limit[i / channels];
    levels.after = integrated(samples, channels, rate);
    if (std::abs(levels.after - targetLufs) < 0.1) break;
    gainDb += targetLufs - levels.after;
  }
  levels.peakAfter = truePeakDb(samples, channels);
  // Whatever still reaches over the ceiling between samples comes down.
  if (levels.peakAfter > ceilingDb) {
    const float down =
        float(std::pow(10.0, (ceilingDb - 0.05 - levels.peakAfter) / 20));
    for (float &s : samples) s *= down;
    levels.after = integrated(samples, channels, rate);
    levels.peakAfter = truePeakDb(samples, channels);
  }
  return levels;
}

}  // namespace loudness
