#include "base/core/TemporaryNames.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QList>
#include <QRandomGenerator>
#include <ctime>

namespace temporary_names {
namespace {

constexpr char Infix[] = ".varnel-";
constexpr int RandomLength = 6;
constexpr char Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// A write still going on touches its file far more often than this.
constexpr time_t QuietSeconds = 10;

bool isAlphabetLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= '0' && c <= '9');
}

QByteArray folderOf(const QByteArray &path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Whether a process this user may look at holds the file open; a write
// of another instance of the program may still be on its way.
bool openAnywhere(dev_t device, ino_t inode) {
  DIR *processes = ::opendir("/proc");
  if (!processes) return true;  // cannot tell: keep the file
  bool found = false;
  while (!found) {
    const dirent *process = ::readdir(processes);
    if (!process) break;
    if (process->d_name[0] < '0' || process->d_name[0] > '9') continue;
    const QByteArray fds = QByteArray("/proc/") + process->d_name + "/fd/";
    DIR *handles = ::opendir(fds.constData());
    if (!handles) continue;
    while (const dirent *handle = ::readdir(handles)) {
      struct stat seen {};
      if (handle->d_name[0] != '.' &&
          ::stat((fds + handle->d_name).constData(), &seen) == 0 &&
          seen.st_dev == device && seen.st_ino == inode) {
        found = true;
        break;
      }
    }
    ::closedir(handles);
  }
  ::closedir(processes);
  return found;
}

}  // namespace

QByteArray candidate(const QByteArray &target) {
  QByteArray name = target + Infix;
  for (int i = 0; i < RandomLength; ++i)
    name +=
        Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))];
  return name;
}

bool isTemporaryFor(const QByteArray &targetName, const QByteArray &name) {
  const QByteArray prefix = targetName + Infix;
  if (name.size() != prefix.size() + RandomLength || !name.startsWith(prefix))
    return false;
  for (qsizetype i = prefix.size(); i < name.size(); ++i)
    if (!isAlphabetLetter(name[i])) return false;
  return true;
}

int removeLeftovers(const QByteArray &target) {
  const QByteArray folder = folderOf(target);
  const QByteArray targetName = target.mid(target.lastIndexOf('/') + 1);
  DIR *entries = ::opendir(folder.constData());
  if (!entries) return 0;
  QList<QByteArray> stale;
  const time_t now = ::time(nullptr);
  while (const dirent *entry = ::readdir(entries)) {
    const QByteArray name(entry->d_name);
    if (!isTemporaryFor(targetName, name)) continue;
    const QByteArray path = folder + '/' + name;
    struct stat file {};
    // A link, a folder, a file with a second name or another user's file
    // is no temporary file of this program's.
    if (::lstat(path.constData(), &file) != 0 || !S_ISREG(file.st_mode) ||
        file.st_uid != ::geteuid() || file.st_nlink != 1 ||
        now - file.st_mtime < QuietSeconds ||
        openAnywhere(file.st_dev, file.st_ino))
      continue;
    stale.append(path);
  }
  ::closedir(entries);
  int removed = 0;
  for (const QByteArray &path : stale)
    removed += ::unlink(path.constData()) == 0;
  return removed;
}

}  // namespace temporary_names
