#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

// A small tmpfs on a new folder for one test, a real full disk or a real
// read-only place; only root may mount, elsewhere mounted() is false.
class TmpfsMount {
 public:
  TmpfsMount(const QString &folder, const char *options, bool readOnly = false)
      : folder_(folder), name_(QFile::encodeName(folder)) {
    mounted_ = ::geteuid() == 0 && QDir().mkpath(folder) &&
               ::mount("tmpfs", name_.constData(), "tmpfs",
                       readOnly ? MS_RDONLY : 0, options) == 0;
  }
  ~TmpfsMount() {
    if (mounted_) ::umount2(name_.constData(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  QString path() const { return folder_; }
  // Fills it to the last byte, with a file outside the test's folders.
  void fill() const {
    QFile filler(folder_ + QStringLiteral("/filler"));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
  }
  static constexpr const char *NotRoot = "mounting a tmpfs needs root: skipped";

 private:
  QString folder_;
  QByteArray name_;
  bool mounted_ = false;
};
