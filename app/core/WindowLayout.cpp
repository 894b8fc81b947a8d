#include "app/core/WindowLayout.h"

#include "app/core/SettingsFile.h"

namespace {

const QString MainForm = QStringLiteral("MainForm");
const QString TextForm = QStringLiteral("TextForm");

QRect readBounds(const SettingsFile &settings, const QString &section,
                 const QRect &defaults) {
  return QRect(
      settings.readInteger(section, QStringLiteral("Left"), defaults.x()),
      settings.readInteger(section, QStringLiteral("Top"), defaults.y()),
      settings.readInteger(section, QStringLiteral("Width"), defaults.width()),
      settings.readInteger(section, QStringLiteral("Height"),
                           defaults.height()));
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

QPoint keepOnScreen(QPoint topLeft, QSize screen, int margin) {
  if (topLeft.y() >= screen.height()) topLeft.setY(screen.height() - margin);
  if (topLeft.x() >= screen.width()) topLeft.setX(screen.width() - margin);
  return topLeft;
}

}  // namespace window_layout
