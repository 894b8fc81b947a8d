#pragma once

#include <QObject>

#include "app/core/WindowLayout.h"
#include "base/core/Messages.h"
#include "files/core/RecentFiles.h"

class CourseContents;
class SettingsFile;

// What the program keeps between pages and between runs: the settings
// file, the recent files, the Executive option, the line length of saved
// pages and the folder the file dialogs start in.
class ProgramSession : public QObject {
  Q_OBJECT
 public:
  ProgramSession(Messages &messages, SettingsFile &settings,
                 const QString &programFolder);

  SettingsFile &settings() { return settings_; }
  // The folder the program runs from (ends with "/") and the course it
  // brings along.
  const QString &programFolder() const { return programFolder_; }
  QString defaultContentsPath() const;
  const RecentFiles &recent() const { return recent_; }
  int maxChar() const { return maxChar_; }
  void setMaxChar(int maxChar) { maxChar_ = maxChar; }
  bool executive() const { return executive_; }
  void setExecutive(bool executive);

  // The folder the program was started in, where a relative name on the
  // command line is looked up first.
  const QString &startFolder() const { return startFolder_; }
  // Where the file dialogs start and a new page is first saved: the
  // program's folder, the one kept from the last run, then the folder of
  // the last file chosen in a dialog.
  const QString &currentFolder() const { return currentFolder_; }
  void setCurrentFolder(const QString &folder);
  // A file dialog's answer; the current folder follows it.
  QString chooseFile(const Messages::FileDialog &dialog, bool forSaving);
  // The folder the settings file keeps for the next run.
  const QString &folder() const { return folder_; }
  void rememberCurrentFolder() { folder_ = currentFolder_; }

  void addRecentFile(const QString &path);
  // An entry whose file is gone leaves the menu.
  void dropRecentFile(int tag);

  // Reads the program's values from the settings file and returns where the
  // windows stand; a settings file too large to be read whole is named.
  WindowLayout read();
  // Writes every setting, with the course's page; false after reporting
  // the first that failed. Only what this run changed goes over what the
  // file holds then, so that two copies of the program keep each other's.
  bool write(const WindowLayout &layout, const CourseContents &course);
  // Whether the last write failed: the program then ends with status 1.
  bool writeFailed() const { return writeFailed_; }

  // The line-length command: how many bytes a line of a saved page holds.
  void askLineLength();

 signals:
  void executiveChanged(bool executive);
  void recentFilesChanged();

 private:
  Messages &messages_;
  SettingsFile &settings_;
  QString programFolder_;
  RecentFiles recent_;
  int maxChar_ = 79;
  bool executive_ = false;
  QString startFolder_;
  QString currentFolder_;
  QString folder_;
  bool writeFailed_ = false;
};
