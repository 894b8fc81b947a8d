#include "export/core/SiteSound.h"

namespace site_sound {

QList<Source> sources(const QString &stem) {
  return {{stem + QStringLiteral(".mp3"), QStringLiteral("audio/mpeg")},
          {stem + QStringLiteral(".ogg"),
           QStringLiteral("audio/ogg; codecs=opus")}};
}

}  // namespace site_sound
