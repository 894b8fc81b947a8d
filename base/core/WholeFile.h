#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file written whole or not at all. The new bytes go to a temporary file
// beside the old one, which takes its place only once every byte, the last
// buffered ones included, has reached the disk; on any failure the old file
// stays as it was and the temporary file is removed. Every step is checked:
// a short file on a full disk never passes as written. A link to a file is
// followed and its target replaced.
//
// A FIFO or a character device (a pipe, /dev/stdout, /dev/null) is no file
// to replace: it is written in place as a stream, as command-line tools
// do. A folder or a block device is refused.
class WholeFile {
 public:
  explicit WholeFile(const QString &path);
  ~WholeFile();
  WholeFile(const WholeFile &) = delete;
  WholeFile &operator=(const WholeFile &) = delete;

  // False when the temporary file cannot be made or the output is refused.
  bool open();
  // Whether opening a FIFO waits until a reader opens it (as command-line
  // tools do, and the default), or fails at once when nobody reads it (for
  // a window, which must not stop answering).
  static void waitForReaders(bool wait);
  // Where the writer puts its bytes; writes after a failure are refused.
  QIODevice &device() { return file_; }
  // True when the output is a stream: bytes go out as they are written and
  // the writer cannot seek back.
  bool isStream() const { return stream_; }
  // Writes out what the device holds back; false after any failure.
  bool flush();
  // Flushes, syncs and puts the file in place.
  bool commit();
  // For a writer that failed on its own: commit then only removes the
  // temporary file.
  void cancel() { file_.noteFailure(0); }
  // Why the last step failed, worded for the user, naming the file.
  QString errorText() const;
  // The system's error number behind it; 0 when it gave none.
  int errorNumber() const { return file_.firstErrno; }

 private:
  // Keeps the system's reason of the first write that failed.
  class Device : public QFile {
   public:
    bool failed = false;
    int firstErrno = 0;
    void noteFailure(int errorNumber);

   protected:
    qint64 writeData(const char *data, qint64 length) override;
  };

  bool openStream(const QByteArray &path);
  // oldMode: the permissions of the file replaced, -1 when there is none.
  bool openTemporary(int oldMode);
  bool adopt(int fd);
  bool putInPlace();
  void discard();

  QString path_;
  QByteArray target_;  // the file replaced, links followed
  QByteArray named_;   // the temporary file's name while it has one
  bool stream_ = false;
  Device file_;
};

namespace whole_file {

enum class InPlace {
  Never,
  // When the folder takes no temporary file but the file itself may be
  // written: the whole new size is reserved before the first byte changes,
  // so a full disk or a size limit leaves the old file untouched.
  WhenFolderIsClosed,
};

// Writes `bytes` to `path` as above. On failure returns false and puts the
// message, naming the file and the reason, in errorText (when given).
bool write(const QString &path, const QByteArray &bytes, InPlace inPlace,
           QString *errorText);

}  // namespace whole_file
