#pragma once

#include <functional>

class Document;
class QDialog;
class QMenu;
class QWidget;

// "印刷...", "印刷プレビュー..." and "PDFに書き出す...": the open course, or
// the open page, printed as the booklet of the command line prints it. For
// readers and editors alike.
namespace print_commands {

// Adds the three items to the menu. `runDialog` shows the print and preview
// dialogs modally; tests replace it to answer them.
void add(QMenu *menu, QWidget *window, Document &document,
         std::function<void(QDialog &)> runDialog);

}  // namespace print_commands
