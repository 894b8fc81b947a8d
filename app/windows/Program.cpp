#include "app/windows/Program.h"

#include "app/core/ProgramSession.h"
#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "base/core/WholeFile.h"
#include "export/core/CommandLine.h"

Program::Program(const MainWindow::Services &services) {
  // A save onto a FIFO nobody reads is refused at once: the windows keep
  // answering, where a command waits for its reader.
  WholeFile::waitForReaders(false);
  main_ = std::make_unique<MainWindow>(services);
  text_ = new TextWindow(*main_, main_->document());
  main_->attachTextWindow(text_);
}

Program::~Program() = default;

int Program::exitStatus() {
  return main_->document().session().writeFailed() ? command_line::Failure
                                                   : command_line::Success;
}

TextWindow &Program::text() {
  text_->finishStart();
  return *text_;
}
