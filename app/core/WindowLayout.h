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

// A window whose top-left corner lies off a screen of `screen` is brought
// back `margin` pixels inside its right or bottom edge.
QPoint keepOnScreen(QPoint topLeft, QSize screen, int margin);

}  // namespace window_layout
