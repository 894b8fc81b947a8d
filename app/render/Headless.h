#pragma once

#include <QStringList>

// The command-line modes that need no window and no display:
//   --render PAGE OUT.png|OUT.bmp
//   --render CONTENTS.vrn|PAGE OUT.pdf
//   --resave PAGE OUT.fum [--maxchar N] [--admin]
//   --check CONTENTS.vrn|PAGE.fum
//   --render-audio PAGE.fum|PIECE.mid OUT.wav
//   --export-site CONTENTS.vrn|PAGE.fum OUTDIR
// Errors are printed on standard error as the program words them.
namespace headless {

// True when the arguments (without the program name) ask for a headless
// mode.
bool wanted(const QStringList &arguments);
// Sets up the process for a headless mode; call before the application
// object is made.
void prepare();
// Runs the mode; returns the exit status.
int run(const QStringList &arguments);

}  // namespace headless
