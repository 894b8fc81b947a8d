#pragma once

#include <QString>

// The program reads only regular files (links to them too): a FIFO would
// block the reader until some other program writes to it, and a device such
// as /dev/zero never ends. Every open of a file the user names goes through
// this rule, in the window and in the headless modes alike.
namespace regular_file {

bool isRegular(const QString &path);

// The refusal of a path that is not a regular file, naming the file: one
// that is missing is not found, one that is there (a FIFO, a device, a
// folder) is no file.
QString notFoundMessage(const QString &path);

}  // namespace regular_file
