#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "export/core/WebFontModule.h"

// HarfBuzz's subsetter and the WOFF2 compressor, as the web font module
// runs them (see WebFontModule.h for what the cut holds).
namespace font_cutter {

bool cut(const QString &fontPath, const QList<char32_t> &characters,
         QByteArray *trueType, QByteArray *woff2, QString *error);

}  // namespace font_cutter
