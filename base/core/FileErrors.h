#pragma once

#include <QString>

// The program's words for files that cannot be read or written: the file's
// name and the reason, in Japanese, instead of the system's English text.
namespace file_errors {

// Why `path` could not be read or written: from the system's error number
// where it names a known cause, else from what the file system shows now.
QString readReason(const QString &path, int errorNumber);
QString writeReason(const QString &path, int errorNumber);

// "「name」を読めません（reason）" and its counterpart for writing.
QString cannotRead(const QString &path, int errorNumber);
QString cannotWrite(const QString &path, int errorNumber);

// "path: ファイルが見つかりません。", as the command line names a file that
// is not there; "path: ファイルではありません。" for a folder, a FIFO or a
// device in its place.
QString notFound(const QString &path);

}  // namespace file_errors
