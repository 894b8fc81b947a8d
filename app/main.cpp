#include <QGuiApplication>
#include <QHashFunctions>
#include <csignal>
#include <cstdio>

#include "app/core/WindowsModule.h"
#include "base/core/Cp932.h"
#include "export/core/CommandLine.h"
#include "export/render/Headless.h"

int main(int argc, char **argv) {
  // A file growing past the user's size limit fails its write with EFBIG,
  // which the save reports, instead of ending the program mid-save.
  std::signal(SIGXFSZ, SIG_IGN);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // What only the command line answers needs no window and no display.
  using command_line::Parsed;
  const Parsed parsed = command_line::parse(arguments, headless::commands());
  switch (parsed.kind) {
    case Parsed::Kind::Help:
      std::fputs(qPrintable(command_line::usage(headless::commands())), stdout);
      return command_line::Success;
    case Parsed::Kind::Version:
      std::fputs(qPrintable(command_line::versionText()), stdout);
      return command_line::Success;
    case Parsed::Kind::Usage:
      std::fprintf(stderr, "%s\n%s", qPrintable(parsed.error),
                   qPrintable(command_line::usage(headless::commands())));
      return command_line::UsageError;
    case Parsed::Kind::Command: {
      headless::prepare();
      // What a command writes is the same bytes for the same input: the
      // PDF writer puts a booklet's fonts in the order of a hash.
      QHashSeed::setDeterministicGlobalSeed();
      QGuiApplication app(argc, argv);
      // The platform is loaded. The pictures the commands read and write
      // are in Qt's own formats: no image plugin is looked for or loaded.
      QCoreApplication::setLibraryPaths({});
      if (!cp932::available()) {
        std::fprintf(stderr, "%s\n", qPrintable(cp932::unavailableMessage()));
        return command_line::Failure;
      }
      return parsed.command->run(parsed.request);
    }
    case Parsed::Kind::Window:
      break;
  }
  QString error;
  const windows_module::Api *windows = windows_module::load(&error);
  if (!windows) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return command_line::Failure;
  }
  return windows->run(argc, argv, parsed.files);
}
