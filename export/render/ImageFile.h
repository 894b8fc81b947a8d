#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace image_file {

// Writes the picture in `format` ("png", "bmp") whole or not at all: on
// failure the old file stays as it was, no part of the new one is left,
// and `error` names the file and the reason.
bool write(const QImage &image, const QString &path, const QByteArray &format,
           QString *error);

}  // namespace image_file
