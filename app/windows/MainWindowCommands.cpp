// The main window's commands: each control hands its work to the document.
#include <QAction>
#include <QComboBox>
#include <QToolButton>

#include "app/windows/AboutBox.h"
#include "app/windows/HelpWindow.h"
#include "app/windows/MainWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/StepEraseWindow.h"
#include "score/windows/CanvasView.h"
#include "score/windows/StaffPaperDialog.h"

void TForm1::connectCommands() {
  Document *doc = &document_;
  for (QAction *item : N1dan) {
    connect(item, &QAction::triggered, this,
            [doc, item] { doc->N1dan1Click(item->data().toInt()); });
  }
  connect(K1, &QAction::triggered, this, &TForm1::K1Click);
  connect(Gosensi1, &QAction::triggered, this, &TForm1::Gosensi1Click);
  connect(Save1, &QAction::triggered, doc, &Document::Save1Click);
  connect(SaveAs1, &QAction::triggered, doc, &Document::SaveAs);
  connect(Open1, &QAction::triggered, doc, &Document::Open1Click);
  connect(OpenClip1, &QAction::triggered, doc, &Document::OpenClip1Click);
  connect(SaveBmp1, &QAction::triggered, doc, &Document::SaveBmp1Click);
  connect(CopyAsBmp1, &QAction::triggered, doc, &Document::CopyAsBmp1Click);
  for (QAction *item : ReOpen) {
    connect(item, &QAction::triggered, this,
            [doc, item] { doc->ReOpen1Click(item->data().toInt()); });
  }
  connect(Exit1, &QAction::triggered, this, &TForm1::close);
  connect(Varnel1, &QAction::triggered, doc, &Document::Varnel1Click);
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
  connect(previousPageAction_, &QAction::triggered, doc,
          &Document::SpeedButton4Click);
  connect(nextPageAction_, &QAction::triggered, doc,
          &Document::SpeedButton5Click);

  const std::pair<QAction *, EditMode> modeItems[] = {
      {Palette1, EditMode::Note},
      {Letter1, EditMode::Letter},
      {Rect1, EditMode::Rect}};
  for (const auto &[item, mode] : modeItems) {
    connect(item, &QAction::triggered, this,
            [doc, mode = mode] { doc->toggleMode(mode); });
  }
  connect(Undo1, &QAction::triggered, doc, &Document::Undo1Click);
  connect(playAction_, &QAction::triggered, doc, &Document::SpeedButton9Click);
  connect(stopAction_, &QAction::triggered, doc, &Document::SpeedButton10Click);
  connect(toStartAction_, &QAction::triggered, doc,
          &Document::SpeedButton11Click);
  connect(GMON1, &QAction::triggered, doc, &Document::GMON1Click);
  connect(mojisu1, &QAction::triggered, doc, &Document::mojisu1Click);
  connect(Up1, &QAction::triggered, doc, &Document::Up1Click);
  connect(Down1, &QAction::triggered, doc, &Document::Down1Click);
  connect(Erase1, &QAction::triggered, this, &TForm1::Erase1Click);
  connect(AutoDraw1, &QAction::triggered, this, &TForm1::AutoDraw1Click);
  connect(About1, &QAction::triggered, this, &TForm1::About1Click);
  connect(Contents1, &QAction::triggered, this, &TForm1::Contents1Click);
  connect(TextWindow1, &QAction::triggered, this, &TForm1::TextWindow1Click);
  connect(Image1, &CanvasView::mouseDown, doc, &Document::Image1MouseDown);
  connect(Image1, &CanvasView::mouseMove, doc, &Document::Image1MouseMove);
  connect(Image1, &CanvasView::mouseUp, doc, &Document::Image1MouseUp);
}

void TForm1::K1Click() {
  if (!document_.askSaveQuestion()) return;
  if (showPaperDialog()) document_.NewPage();
}

void TForm1::Gosensi1Click() { showPaperDialog(); }

bool TForm1::showPaperDialog() {
  const ScorePage &page = document_.page();
  bool confirmed = false;
  TForm4 dialog(page.StaffCount, page.StaffWidth, this);
  connect(&dialog, &TForm4::confirmed, this,
          [this, &confirmed](int staffCount, int staffWidth) {
            document_.applyPaperDialog(staffCount, staffWidth);
            confirmed = true;
          });
  runPaperDialog_(dialog);
  return confirmed;
}

void TForm1::ComboBox1Change(int index) {
  document_.selectEntry(index);
  // The list lets go of the keyboard, so the keys page through the course.
  if (ComboBox1->hasFocus()) Panel1->setFocus();
}

void TForm1::Erase1Click() {
  TForm7 window(this);
  Document *doc = &document_;
  connect(&window, &TForm7::activated, this,
          [doc, &window] { window.showState(doc->stepEraseActivated()); });
  connect(&window, &TForm7::positionChanged, this,
          [doc, &window](int position) {
            window.showState(doc->stepEraseMoved(position));
          });
  connect(&window, &TForm7::eraseClicked, this,
          [doc, &window] { window.showState(doc->stepEraseErase()); });
  runDialog_(window);
  document_.stepEraseClosed();
}

void TForm1::AutoDraw1Click() { runDialog_(clefWindow()); }

void TForm1::About1Click() {
  TForm8 box(this, document_);
  runDialog_(box);
}

void TForm1::Contents1Click() {
  HelpWindow::showFor(*this,
                      document_.programFolder() + QStringLiteral("VRN32.HLP"));
}
