// The document's start-up: its first values and the start file.
#include <QDir>
#include <QFileInfo>

#include "app/core/Document.h"
#include "files/core/PathLookup.h"

void Document::setStartValues() {
  navigator_.course_.ContentsIndex = 0;
  page_.StaffCount = ScorePage::DefaultStaffCount;
  page_.StaffWidth = ScorePage::DefaultStaffWidth;
  editor_.PaletteTag = 3;
  editor_.PaletteButtonActive = true;
  editor_.AdministratorMode = false;
}

void Document::openStartFile(const QStringList &arguments) {
  QString startFile = defaultContentsPath();
  if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
    // A relative name means what it meant where the user typed it; the
    // program's own folder is asked only when it is not found there.
    const QString typed = arguments.first();
    startFile =
        expandLongPath(QDir(session_.startFolder()).absoluteFilePath(typed));
    if (startFile.isEmpty())
      startFile = expandLongPath(
          QDir(session_.currentFolder()).absoluteFilePath(typed));
  }
  if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
    openFile(startFile);
  else
    newPage();
}
