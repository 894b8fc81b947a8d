#include "export/render/ImageFile.h"

#include <QImageWriter>

#include "base/core/WholeFile.h"

namespace image_file {

bool write(const QImage &image, const QString &path, const QByteArray &format,
           QString *error) {
  WholeFile file(path);
  if (file.open()) {
    QImageWriter writer(&file.device(), format);
    // The writer's own failure, not the file's, cancels the file too.
    if (!writer.write(image)) file.cancel();
    if (file.commit()) return true;
  }
  *error = file.errorText();
  return false;
}

}  // namespace image_file
