#include "app/core/WindowLayout.h"

#include <algorithm>
#include <utility>

#include "app/core/SettingsFile.h"

namespace {

const QString MainForm = QStringLiteral("MainForm");
const QString TextForm = QStringLiteral("TextForm");

// Far beyond any screen, yet small enough that a rectangle built from
// stored values cannot overflow its right or bottom edge.
constexpr int MaxCoordinate = 1 << 24;

QRect readBounds(const SettingsFile &settings, const QString &section,
                 const QRect &defaults) {
  const auto value = [&](const char *key, int fallback) {
    return std::clamp(
        settings.readInteger(section, QLatin1String(key), fallback),
        -MaxCoordinate, MaxCoordinate);
  };
  return QRect(value("Left", defaults.x()), value("Top", defaults.y()),
               value("Width", defaults.width()),
               value("Height", defaults.height()));
}

bool writeBounds(SettingsFile &settings, const QString &section,
                 const QRect &bounds) {
  return settings.writeInteger(section, QStringLiteral("Left"), bounds.x()) &&
         settings.writeInteger(section, QStringLiteral("Top"), bounds.y()) &&
         settings.writeInteger(section, QStringLiteral("Width"),
                               bounds.width()) &&
         settings.writeInteger(section, QStringLiteral("Height"),
                               bounds.height());
}

}  // namespace

namespace window_layout {

WindowLayout read(const SettingsFile &settings) {
  WindowLayout layout;
  layout.main = readBounds(settings, MainForm, layout.main);
  layout.maximized =
      settings.readBool(MainForm, QStringLiteral("Maximized"), false);
  layout.text = readText(settings);
  return layout;
}

QRect readText(const SettingsFile &settings) {
  return readBounds(settings, TextForm, WindowLayout().text);
}

bool write(SettingsFile &settings, const WindowLayout &layout) {
  if (!settings.writeBool(MainForm, QStringLiteral("Maximized"),
                          layout.maximized))
    return false;
  if (!layout.maximized && !writeBounds(settings, MainForm, layout.main))
    return false;
  return writeBounds(settings, TextForm, layout.text);
}

QRect fitOnScreen(QRect bounds, QSize screen, QSize minimum) {
  // In 64 bits: no sum of stored values can overflow. A window cannot be
  // made smaller than its minimum, so that is the size it is placed by.
  const auto fit = [](qint64 place, qint64 side, qint64 room, qint64 least) {
    side = std::max<qint64>(std::max<qint64>(MinimumSide, least),
                            std::min(side, room));
    place = std::max<qint64>(0, std::min(place, room - side));
    return std::pair<int, int>(int(place), int(side));
  };
  const auto [left, width] =
      fit(bounds.left(), bounds.width(), screen.width(), minimum.width());
  const auto [top, height] =
      fit(bounds.top(), bounds.height(), screen.height(), minimum.height());
  return QRect(left, top, width, height);
}

}  // namespace window_layout
