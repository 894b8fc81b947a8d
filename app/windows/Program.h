#pragma once

#include <memory>

#include "app/windows/MainWindow.h"

class TForm2;
class TForm3;
class TForm5;
class TForm6;
class TForm9;

// The program as a whole: the resident windows, created in their fixed
// order and living until the program ends.
class Program {
 public:
  explicit Program(const TForm1::Services &services);
  ~Program();

  TForm1 &main() { return *main_; }
  TForm2 &palette() { return *palette_; }
  TForm3 &text() { return *text_; }
  TForm5 &letter() { return *letter_; }
  TForm9 &rect() { return *rect_; }
  TForm6 &clefs() { return *clefs_; }

 private:
  std::unique_ptr<TForm1> main_;
  // The tool windows belong to the main window and go with it.
  TForm2 *palette_ = nullptr;
  TForm3 *text_ = nullptr;
  TForm5 *letter_ = nullptr;
  TForm9 *rect_ = nullptr;
  TForm6 *clefs_ = nullptr;
};
