#include "base/core/WholeFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "base/core/FileErrors.h"

void WholeFile::Device::noteFailure(int errorNumber) {
  if (failed) return;
  failed = true;
  firstErrno = errorNumber;
}

qint64 WholeFile::Device::writeData(const char *data, qint64 length) {
  errno = 0;
  const qint64 written = QSaveFile::writeData(data, length);
  if (written != length) noteFailure(errno);
  return written;
}

WholeFile::WholeFile(const QString &path) : path_(path), file_(path) {}

bool WholeFile::open() {
  errno = 0;
  if (file_.open(QIODevice::WriteOnly)) return true;
  file_.noteFailure(errno);
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
  if (!file_.failed && ::fsync(file_.handle()) != 0 && errno != EINVAL)
    file_.noteFailure(errno);
  if (file_.failed) {
    // Commit after cancelling removes the temporary file.
    file_.cancelWriting();
    file_.commit();
    return false;
  }
  errno = 0;
  if (file_.commit()) return true;
  file_.noteFailure(errno);
  return false;
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
