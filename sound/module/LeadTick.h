#pragma once

#include <QByteArray>

// FluidSynth 2.3's player, sent back to tick 0, starts again only the
// tracks that have passed tick 0: a track whose first events lie at tick 0
// and whose next one is still to come keeps its place, and those events are
// not sent again. Stopped or rewound while the first notes sounded, the
// piece would start without them. The player is therefore given every track
// a tick late, about a millisecond, so that no event lies at tick 0.
namespace lead_tick {

constexpr int Ticks = 1;

// The standard MIDI file with each track's first event Ticks later; bytes
// that do not begin as a standard MIDI file come back as they are.
QByteArray delayed(const QByteArray &piece);

}  // namespace lead_tick
