#pragma once

#include <QString>
#include <functional>

class Document;
class QAction;
class QMenu;
class QWidget;

// "Webページとして書き出す...": the open course, or the open page, written
// as a website into a folder the user picks, with the hourglass and a
// progress bar that can stop it.
namespace site_export_command {

// Asks for the folder to write into, starting at the given one; empty
// when the user chose none.
using FolderChoice = std::function<QString(const QString &start)>;

// The command as the item runs it, with the folder asked of `choose`.
void run(QWidget *window, Document &document, const FolderChoice &choose);

// Adds the item to the menu; it is shown while the Executive option is on.
QAction *add(QMenu *menu, QWidget *window, Document &document);

}  // namespace site_export_command
