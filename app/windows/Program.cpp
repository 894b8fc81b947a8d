#include "app/windows/Program.h"

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

Program::Program(const TForm1::Services &services) {
  Form1 = std::make_unique<TForm1>(services);
  // The tool windows belong to the main window and go with it.
  Form2 = new TForm2(*Form1);
  Form3 = new TForm3(*Form1);
  Form5 = new TForm5(*Form1);
  Form9 = new TForm9(*Form1);
  Form6 = new TForm6(*Form1);
  Form1->attachToolWindows(Form2, Form3, Form5, Form9, Form6);
}

Program::~Program() = default;
