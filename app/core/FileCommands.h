#pragma once

#include <QString>
#include <QStringList>

class CourseNavigator;
class DocumentView;
class Messages;
class PageSwitch;
class ProgramSession;
class ScorePage;

// The File menu's commands that open pages and courses or hand the canvas
// on: each asks the save question where a page would be let go, and says
// itself what went wrong.
class FileCommands {
 public:
  FileCommands(ScorePage &page, Messages &messages, DocumentView &view,
               ProgramSession &session, CourseNavigator &navigator,
               PageSwitch &pages);

  // Opens a page or contents file, after the save question.
  void openFile(const QString &path);
  void openWithDialog();
  void reopenRecent(int tag);
  void openBundledCourse();
  void openClipboardText();
  void saveBitmap();
  void copyBitmap();
  // Opens the command line's file (a relative name is looked up from the
  // folder the program was started in, then from the current folder), else
  // the course's default contents file, else an empty page.
  void openStartFile(const QStringList &arguments);

 private:
  // The page read is shown outside the course; a page that was only
  // extracted is captioned so.
  void showOpenedPage(const QString &extractedCaption);

  ScorePage &page_;
  Messages &messages_;
  DocumentView &view_;
  ProgramSession &session_;
  CourseNavigator &navigator_;
  PageSwitch &pages_;
};
