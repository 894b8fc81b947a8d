#pragma once

#include <QString>
#include <array>

// The recent-files list behind the reopen submenu: entries 1 … 8, each a
// full path or empty, entry 1 the newest.
class RecentFiles {
 public:
  static constexpr int Count = 8;

  // Outside 1 … Count: empty, and setting is ignored.
  QString entry(int n) const;
  void setEntry(int n, const QString &path);

  // Puts a path at the top: an older equal entry goes, gaps close, the
  // ninth file falls off. An empty path only closes the gaps. Paths are
  // compared exactly: on Linux names that differ in case are two files.
  void add(const QString &path);

  // The menu caption of entry n: its file name without folder.
  QString caption(int n) const;

 private:
  std::array<QString, Count> entries_;
};
