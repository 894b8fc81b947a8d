#pragma once

#include <QIcon>
#include <QString>
#include <functional>

// Pictures read by Qt's own readers alone. The first picture Qt reads,
// even a PNG of its own, loads every image format plugin installed, which
// nothing the window shows at start needs.
namespace built_in_pictures {

// Runs `build` while Qt finds no plugins; the main window's menu bar reads
// a picture as it is built.
void withoutPlugins(const std::function<void()> &build);

// The XPM picture in `file` as an icon.
QIcon xpmIcon(const QString &file);

}  // namespace built_in_pictures
