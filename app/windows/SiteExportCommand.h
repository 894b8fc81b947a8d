#pragma once

class Document;
class QAction;
class QMenu;
class QWidget;

// "Webページとして書き出す...": the open course, or the open page, written
// as a website into a folder the user picks, with the hourglass and a
// progress bar that can stop it.
namespace site_export_command {

// Adds the item to the menu; it is shown while the Executive option is on.
QAction *add(QMenu *menu, QWidget *window, Document &document);

}  // namespace site_export_command
