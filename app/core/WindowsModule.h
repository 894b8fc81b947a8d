#pragma once

#include <QString>
#include <QStringList>

// The windows: Qt Widgets, printing and every window of the program, in a
// library of their own that only a run with windows loads. A command run
// from the command line starts without them.
namespace windows_module {

// What the module hands out, the same for every build of the program and
// its module.
struct Api {
  int version;
  // Runs the program with its windows on `files` (the command line's
  // files, or none) until the main window closes; the exit status.
  // `argc` and `argv` outlive the run, as the application object asks.
  int (*run)(int &argc, char **argv, const QStringList &files);
};
constexpr int ApiVersion = 1;
// The one symbol the module exports.
constexpr char EntryName[] = "varnel_windows_module";

QString fileName();
// Loads the module from beside the executable or the installed lib folder;
// null with the reason worded for the user in `error`.
const Api *load(QString *error);

}  // namespace windows_module
