#pragma once

class Document;
class QMenu;
class QWidget;

// "目次を編集..." and "新しい目次...": the contents editor's window on the
// open course, or on a new contents file, beside the main window.
namespace course_editor_command {

// Adds the two items to the menu; they are shown while the Executive option
// is on, and the editor's window closes when it goes off.
void add(QMenu *menu, QWidget *window, Document &document);

}  // namespace course_editor_command
