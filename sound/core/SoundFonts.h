#pragma once

#include <QString>

// The General MIDI SoundFonts the system's packages install, and the best
// of those present.
namespace sound_fonts {

// Where Debian's SoundFont packages put them.
QString systemFolder();

// The best General MIDI SoundFont in `folder`: fluid-soundfont-gm's
// FluidR3_GM, then the system's default-GM.sf2 (timgm6mb-soundfont's when
// it is the only one), then any SoundFont by name; empty when there is none.
QString best(const QString &folder = systemFolder());

QString missingMessage(const QString &folder = systemFolder());

}  // namespace sound_fonts
