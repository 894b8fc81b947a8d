// The main window's tool windows: what they report goes to the document.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QToolButton>

#include "app/windows/MainWindow.h"
#include "app/windows/TextWindow.h"
#include "edit/windows/ClefBarlineWindow.h"
#include "edit/windows/RectEditWindow.h"
#include "score/windows/LetterWindow.h"
#include "score/windows/NotePalette.h"

void TForm1::attachToolWindows(TForm2 *palette, TForm3 *text, TForm5 *letter,
                               TForm9 *rect, TForm6 *clefs) {
  Form2 = palette;
  Form3 = text;
  Form5 = letter;
  Form9 = rect;
  Form6 = clefs;
  Document *doc = &document_;

  const std::pair<ModeWindow *, EditMode> modeWindows[] = {
      {Form2, EditMode::Note},
      {Form5, EditMode::Letter},
      {Form9, EditMode::Rect}};
  for (const auto &[window, mode] : modeWindows) {
    connect(window, &ModeWindow::modeShown, doc,
            [doc, mode = mode] { doc->modeWindowShown(mode); });
    connect(window, &ModeWindow::modeHidden, doc,
            [doc, mode = mode] { doc->modeWindowHidden(mode); });
  }

  connect(Form2, &TForm2::paletteButtonChosen, doc,
          &Document::choosePaletteButton);
  connect(Form2, &TForm2::listItemChosen, doc, &Document::chooseListItem);
  connect(Form2, &TForm2::symbolListShown, doc, &Document::showSymbolList);
  connect(Form2, &TForm2::undoClicked, doc, &Document::Undo1Click);

  connect(Form5, &TForm5::textChanged, doc, &Document::setLetterText);
  connect(Form5, &TForm5::undoClicked, doc, &Document::Undo1Click);
  connect(doc, &Document::letterTextWanted, Form5, &TForm5::focusText);

  connect(Form6, &TForm6::confirmed, doc, &Document::appendClefsAndBarlines);

  connectRectWindow();

  connect(Form3, &TForm3::visibilityChanged, SpeedButton3,
          &QToolButton::setChecked);
  connect(Form3, &TForm3::visibilityChanged, TextWindow1, &QAction::setChecked);
}

void TForm1::connectRectWindow() {
  Document *doc = &document_;
  connect(Form9, &TForm9::cutClicked, doc, &Document::CutSelection);
  connect(Form9, &TForm9::copyClicked, doc, &Document::CopySelection);
  connect(Form9, &TForm9::pasteClicked, doc, &Document::PasteRegion);
  connect(Form9, &TForm9::duplicateClicked, doc, &Document::DuplicateSelection);
  connect(Form9, &TForm9::deleteClicked, doc, &Document::DeleteSelection);
  connect(Form9, &TForm9::moveReleased, doc, &Document::moveSelection);
  connect(Form9, &TForm9::redrawChosen, doc, &Document::Redraw1Click);
  connect(Form9, &TForm9::selectAllChosen, doc, &Document::SelectAll1Click);
  connect(Form9, &TForm9::shiftUpChosen, doc, [doc] {
    doc->Up1Click();
    doc->DisableSelectionButtons();
  });
  connect(Form9, &TForm9::shiftDownChosen, doc, [doc] {
    doc->Down1Click();
    doc->DisableSelectionButtons();
  });
  connect(Form9, &TForm9::paperChosen, this, [this, doc] {
    showPaperDialog();
    doc->DisableSelectionButtons();
  });
  connect(doc, &Document::selectionButtonsChanged, Form9,
          &TForm9::setSelectionButtonsEnabled);
  connect(doc, &Document::pasteEnabledChanged, Form9, &TForm9::setPasteEnabled);
  Form9->setSelectionButtonsEnabled(doc->selectionButtonsEnabled());
  // Paste follows every change of the clipboard's text, ours and other
  // programs', and starts from what the clipboard holds now.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, doc,
          &Document::clipboardChanged);
  doc->clipboardChanged();
}
