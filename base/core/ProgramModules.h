#pragma once

#include <QString>
#include <QStringList>

// The libraries the program loads as it needs them (its windows, its
// sound, the web font cutter), each handing out a table of functions from
// one exported entry. The table's first member is its version.
namespace program_modules {

struct Module {
  QString fileName;       // "libvarnel_….so"
  const char *entryName;  // the one symbol the module exports
  int version;            // the table's version this program reads
  QString what;           // its name in messages: "音を出すモジュール"
};

// Beside the executable (the build tree), then the installed lib folder.
// Known before any application object exists.
QStringList usualFolders();

// The module's table, from the first of `folders` holding it; loaded once
// for the whole run, never unloaded, and safe to ask for from any thread.
// Null with the reason, worded for the user, in `error`: no such file, no
// library, or a table of another version (a module of another build).
const void *load(const Module &module, const QStringList &folders,
                 QString *error);

}  // namespace program_modules
