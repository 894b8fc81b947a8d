#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "export/core/WebFontModule.h"

// The site's web font: a subset of the system's Mincho face holding only
// the characters the site shows, so that a page's text arrives in a few
// kilobytes instead of eight megabytes. Its licence lets a changed font go
// out only under a name of its own, so the subset is renamed.
namespace site_font {

using web_font_module::FamilyName;

struct Subset {
  QByteArray trueType;
  QByteArray woff2;  // the same, compressed for browsers that take it
};

// The glyphs of `characters` (and printable ASCII) from the TrueType font
// at `fontPath`, cut by the web font module; nothing, with the reason in
// `error`, when the module is missing or the font cannot be read or cut.
std::optional<Subset> make(const QString &fontPath,
                           const QList<char32_t> &characters, QString *error);

}  // namespace site_font
