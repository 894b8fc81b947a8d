#include "app/windows/BuiltInPictures.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPixmap>

namespace built_in_pictures {

void withoutPlugins(const std::function<void()> &build) {
  // The plugins are looked for again, as usual, once the folders are back.
  const QStringList folders = QCoreApplication::libraryPaths();
  QCoreApplication::setLibraryPaths({});
  build();
  QCoreApplication::setLibraryPaths(folders);
}

QIcon xpmIcon(const QString &file) {
  QImageReader reader(file, "xpm");
  reader.setAutoDetectImageFormat(false);
  return QIcon(QPixmap::fromImage(reader.read()));
}

}  // namespace built_in_pictures
