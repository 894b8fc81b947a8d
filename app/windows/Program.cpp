#include "app/windows/Program.h"

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

Program::Program(const TForm1::Services &services) {
  main_ = std::make_unique<TForm1>(services);
  palette_ = new TForm2(*main_);
  text_ = new TForm3(*main_, main_->document());
  letter_ = new TForm5(*main_);
  rect_ = new TForm9(*main_);
  clefs_ = new TForm6(*main_);
  main_->attachToolWindows(palette_, text_, letter_, rect_, clefs_);
}

Program::~Program() = default;
