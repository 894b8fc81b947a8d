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

  TForm1 &main() { return *Form1; }

  std::unique_ptr<TForm1> Form1;
  TForm2 *Form2 = nullptr;
  TForm3 *Form3 = nullptr;
  TForm5 *Form5 = nullptr;
  TForm9 *Form9 = nullptr;
  TForm6 *Form6 = nullptr;
};
