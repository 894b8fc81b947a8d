#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The web font cutter: HarfBuzz's subsetter and the WOFF2 compressor, in
// a library of their own that only a website export loads.
namespace web_font_module {

// The licence of the fonts lets a changed font go out only under a name of
// its own: the cut font bears this one.
inline constexpr char FamilyName[] = "Varnel Mincho Subset";

// What the module hands out, the same for every build of the program and
// its module.
struct Api {
  int version;
  // The glyphs of `characters` (and printable ASCII, which a browser may
  // need for anything a page adds) from the TrueType font at `fontPath`,
  // renamed FamilyName, as TrueType and compressed as WOFF2; false, with
  // the reason in `error`, when the font cannot be read or cut.
  bool (*cut)(const QString &fontPath, const QList<char32_t> &characters,
              QByteArray *trueType, QByteArray *woff2, QString *error);
};
constexpr int ApiVersion = 1;
// The one symbol the module exports.
constexpr char EntryName[] = "varnel_webfont_module";

QString fileName();
// Loads the module from beside the executable or the installed lib folder;
// null with the reason worded for the user in `error`.
const Api *load(QString *error);

}  // namespace web_font_module
