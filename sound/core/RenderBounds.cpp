#include "sound/core/RenderBounds.h"

#include <QFileInfo>

namespace audio_render {

QString cutMessage(const QString &piecePath, double maxSeconds) {
  return QStringLiteral(
             "「%1」は %2 秒を超えるため、最初の %2 秒だけを"
             "書きました。")
      .arg(QFileInfo(piecePath).fileName())
      .arg(maxSeconds);
}

}  // namespace audio_render
