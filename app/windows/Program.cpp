#include "app/windows/Program.h"

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

Program::Program(const MainWindow::Services &services) {
  main_ = std::make_unique<MainWindow>(services);
  palette_ = new NotePaletteWindow(*main_);
  text_ = new TextWindow(*main_, main_->document());
  letter_ = new LetterWindow(*main_);
  rect_ = new RectEditWindow(*main_);
  clefs_ = new ClefBarlineWindow(*main_);
  main_->attachToolWindows(palette_, text_, letter_, rect_, clefs_);
}

Program::~Program() = default;
