#pragma once

#include <QByteArray>
#include <QString>

// Names the file commands derive from paths.
namespace file_names {

// The extension of a path's file name with its dot, lower-cased (".fum"),
// or empty when the name has no dot.
QString lowerExtension(const QString &path);

// The name the bitmap save dialog starts with: the page's path, else its
// internal name, with the extension (the part from the last dot) replaced
// by ".bmp"; empty when the page has neither.
QString bitmapPreset(const QString &pagePath, const QByteArray &internalName);

}  // namespace file_names
