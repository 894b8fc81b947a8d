#include "base/core/WholeFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "base/core/FileErrors.h"
#include "base/core/TemporaryNames.h"

namespace {

// The file a link chain ends at, named even when it is not there yet.
QByteArray followLinks(const QString &path) {
  QFileInfo info(path);
  for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
    info.setFile(info.symLinkTarget());
  return QFile::encodeName(info.filePath());
}

QByteArray folderOf(const QByteArray &path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Tries `step` on fresh names for the temporary file until one is free.
template <typename Step>
QByteArray onFreeName(const QByteArray &target, Step step) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray name = temporary_names::candidate(target);
    if (step(name)) return name;
    if (errno != EEXIST) break;
  }
  return {};
}

}  // namespace

void WholeFile::Device::noteFailure(int errorNumber) {
  if (failed) return;
  failed = true;
  firstErrno = errorNumber;
}

qint64 WholeFile::Device::writeData(const char *data, qint64 length) {
  if (failed) return -1;
  errno = 0;
  const qint64 written = QFile::writeData(data, length);
  if (written != length) noteFailure(errno);
  return written;
}

WholeFile::WholeFile(const QString &path) : path_(path) {}

WholeFile::~WholeFile() { discard(); }

bool WholeFile::open() {
  const QByteArray given = QFile::encodeName(path_);
  struct stat old {};
  if (::stat(given.constData(), &old) == 0) {
    if (S_ISFIFO(old.st_mode) || S_ISCHR(old.st_mode)) return openStream(given);
    if (!S_ISREG(old.st_mode)) {
      // A folder, a disk, a socket: the reason is read off the file system.
      file_.noteFailure(S_ISDIR(old.st_mode) ? EISDIR : 0);
      return false;
    }
    // The old file's permissions decide who may replace it, not the
    // folder's alone.
    if (::access(given.constData(), W_OK) != 0) {
      file_.noteFailure(errno);
      return false;
    }
  }
  target_ = followLinks(path_);
  return openTemporary(old.st_mode ? int(old.st_mode & 07777) : -1);
}

namespace {
bool streamsWaitForReaders = true;
}  // namespace

void WholeFile::waitForReaders(bool wait) { streamsWaitForReaders = wait; }

bool WholeFile::openStream(const QByteArray &path) {
  // A FIFO waits here for its reader, as it does for any writer; one that
  // must not wait finds a FIFO nobody reads refused (ENXIO), and writes
  // to a reader that is there as any writer does.
  const int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC;
  const int fd = ::open(path.constData(),
                        streamsWaitForReaders ? flags : flags | O_NONBLOCK);
  if (fd < 0) {
    file_.noteFailure(errno);
    return false;
  }
  if (!streamsWaitForReaders)
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  stream_ = true;
  return adopt(fd);
}

bool WholeFile::openTemporary(int oldMode) {
  // Readable by no one else until it has the old file's permissions.
  const mode_t mode = oldMode < 0 ? 0666 : 0600;
  int fd = -1;
#ifdef O_TMPFILE
  // Nameless until it is whole, so that a write killed on the way leaves
  // nothing; it gets its name through /proc.
  if (::access("/proc/self/fd", X_OK) == 0)
    fd = ::open(folderOf(target_).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                mode);
#endif
  if (fd < 0) {
    named_ = onFreeName(target_, [&](const QByteArray &name) {
      fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  mode);
      return fd >= 0;
    });
    if (fd < 0) {
      file_.noteFailure(errno);
      return false;
    }
  }
  if (oldMode >= 0) {
    [[maybe_unused]] const int kept = ::fchmod(fd, mode_t(oldMode));
  }
  return adopt(fd);
}

bool WholeFile::adopt(int fd) {
  if (file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
    return true;
  ::close(fd);
  file_.noteFailure(0);
  return false;
}

bool WholeFile::flush() {
  if (file_.failed) return false;
  errno = 0;
  if (file_.flush()) return true;
  file_.noteFailure(errno);
  return false;
}

bool WholeFile::commit() {
  if (!file_.isOpen()) return false;
  flush();
  // A file system that reserves blocks only when it writes them back says
  // here that it has none left.
  if (!stream_ && !file_.failed && ::fsync(file_.handle()) != 0 &&
      errno != EINVAL)
    file_.noteFailure(errno);
  if (file_.failed || (!stream_ && !putInPlace())) {
    discard();
    return false;
  }
  file_.close();
  // What an earlier write of this file, killed before its rename, left.
  if (!stream_) temporary_names::removeLeftovers(target_);
  return true;
}

bool WholeFile::putInPlace() {
  if (named_.isEmpty()) {
    const QByteArray self =
        "/proc/self/fd/" + QByteArray::number(file_.handle());
    const auto link = [&](const QByteArray &name) {
      return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(),
                      AT_SYMLINK_FOLLOW) == 0;
    };
    // A new file takes its name at once; an old one is replaced by a
    // rename, which needs a name to rename from.
    if (link(target_)) return true;
    if (errno == EEXIST) named_ = onFreeName(target_, link);
    if (named_.isEmpty()) {
      file_.noteFailure(errno);
      return false;
    }
  }
  if (::rename(named_.constData(), target_.constData()) != 0) {
    file_.noteFailure(errno);
    return false;
  }
  named_.clear();
  return true;
}

void WholeFile::discard() {
  if (file_.isOpen()) file_.close();
  if (!named_.isEmpty()) ::unlink(named_.constData());
  named_.clear();
}

QString WholeFile::errorText() const {
  return file_errors::cannotWrite(path_, file_.firstErrno);
}

namespace whole_file {
namespace {

// The whole new size is reserved before the first byte is changed: a
// reservation that fails leaves the file as it was.
int overwrite(int fd, const QByteArray &bytes) {
  struct stat before {};
  if (::fstat(fd, &before) != 0) return errno;
  // Reserving blocks is not growing the file: the size limit is checked
  // here, or a file that does not grow would be cut at the limit.
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
      limit.rlim_cur != RLIM_INFINITY && rlim_t(bytes.size()) > limit.rlim_cur)
    return EFBIG;
  if (!bytes.isEmpty()) {
    if (const int reserved = ::posix_fallocate(fd, 0, bytes.size())) {
      // Some file systems keep what they reserved before running out.
      [[maybe_unused]] const int restored = ::ftruncate(fd, before.st_size);
      return reserved;
    }
  }
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t n = ::pwrite(fd, bytes.constData() + done,
                               size_t(bytes.size() - done), off_t(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += n;
  }
  if (::ftruncate(fd, bytes.size()) != 0) return errno;
  if (::fsync(fd) != 0 && errno != EINVAL) return errno;
  return 0;
}

int writeInPlace(const QString &path, const QByteArray &bytes) {
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = overwrite(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

bool writableFile(const QString &path) {
  return QFileInfo(path).isFile() &&
         ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

}  // namespace

bool write(const QString &path, const QByteArray &bytes, InPlace inPlace,
           QString *errorText) {
  WholeFile file(path);
  if (!file.open()) {
    // In a folder the user may not write to, a page the user may write is
    // written in place rather than leaving the edits nowhere to go.
    if (inPlace == InPlace::WhenFolderIsClosed && writableFile(path)) {
      const int error = writeInPlace(path, bytes);
      if (error && errorText)
        *errorText = file_errors::cannotWrite(path, error);
      return error == 0;
    }
    if (errorText) *errorText = file.errorText();
    return false;
  }
  file.device().write(bytes);
  if (file.commit()) return true;
  if (errorText) *errorText = file.errorText();
  return false;
}

}  // namespace whole_file
