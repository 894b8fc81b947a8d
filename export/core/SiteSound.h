#pragma once

#include <QList>
#include <QString>

// The files a page's piece is written as, in the order a browser should
// try them: MP3 first, which every browser plays and whose length a browser
// can tell without byte ranges, then Opus in Ogg, smaller for its sound.
namespace site_sound {

struct Source {
  QString file;
  QString type;  // the MIME type, for the <source> element
};

// The sources of the piece whose files are named `stem` and a suffix.
QList<Source> sources(const QString &stem);

}  // namespace site_sound
