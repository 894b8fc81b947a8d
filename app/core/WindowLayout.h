#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class SettingsFile;

// Where the main window and the text window stand, as the settings file
// keeps them between runs.
struct WindowLayout {
  QRect main{0, 0, 640, 455};
  bool maximized = false;
  QRect text{14, 309, 500, 136};
};

namespace window_layout {

// The stored layout; missing values give the defaults above.
WindowLayout read(const SettingsFile &settings);
QRect readText(const SettingsFile &settings);

// Writes the layout; the main window's bounds only while it is not
// maximized, so that it comes back at its normal size. False at the first
// value that could not be written.
bool write(SettingsFile &settings, const WindowLayout &layout);

// A window as it may stand on a screen of `screen`: no larger than the
// screen and no smaller than MinimumSide or the window's own `minimum`, and
// wholly on it, whatever the settings file said (an old file from a larger
// screen, or a hostile one).
inline constexpr int MinimumSide = 100;
QRect fitOnScreen(QRect bounds, QSize screen, QSize minimum = {});

}  // namespace window_layout
