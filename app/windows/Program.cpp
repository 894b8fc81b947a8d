#include "app/windows/Program.h"

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"

Program::Program(const TForm1::Services &services) {
  main_ = std::make_unique<TForm1>(services);
  text_ = new TForm3(*main_, main_->document());
  main_->attachTextWindow(text_);
}

Program::~Program() = default;

TForm3 &Program::text() {
  text_->showHeldPageText();
  return *text_;
}
