#include "app/windows/Program.h"

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"

Program::Program(const MainWindow::Services &services) {
  main_ = std::make_unique<MainWindow>(services);
  text_ = new TextWindow(*main_, main_->document());
  main_->attachTextWindow(text_);
}

Program::~Program() = default;

TextWindow &Program::text() {
  text_->showHeldPageText();
  return *text_;
}
