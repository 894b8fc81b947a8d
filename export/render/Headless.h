#pragma once

#include "export/core/CommandLine.h"

// The commands that need no window and no display: pages as pictures, a
// course as a booklet, a page written again, a course checked, a piece as
// sound. Errors are printed on standard error as the program words them.
namespace headless {

// Every command, one row each: the command line, its checks and its usage
// text follow from this table.
const QList<command_line::Command> &commands();
// Sets up the process for a command; call before the application object is
// made.
void prepare();

}  // namespace headless
