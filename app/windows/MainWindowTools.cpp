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

namespace {

void connectMode(ModeWindow &window, Document &doc, EditMode mode) {
  QObject::connect(&window, &ModeWindow::modeShown, &doc,
                   [&doc, mode] { doc.modeWindowShown(mode); });
  QObject::connect(&window, &ModeWindow::modeHidden, &doc,
                   [&doc, mode] { doc.modeWindowHidden(mode); });
}

}  // namespace

void TForm1::attachTextWindow(TForm3 *text) {
  Form3 = text;
  connect(Form3, &TForm3::visibilityChanged, TextWindow1, &QAction::setChecked);
}

TForm2 &TForm1::notePalette() {
  if (Form2) return *Form2;
  Document *doc = &document_;
  Form2 = new TForm2(*this);
  connectMode(*Form2, document_, EditMode::Note);
  connect(Form2, &TForm2::paletteButtonChosen, doc,
          &Document::choosePaletteButton);
  connect(Form2, &TForm2::listItemChosen, doc, &Document::chooseListItem);
  connect(Form2, &TForm2::symbolListShown, doc, &Document::showSymbolList);
  connect(Form2, &TForm2::undoClicked, doc, &Document::Undo1Click);
  return *Form2;
}

TForm5 &TForm1::letterWindow() {
  if (Form5) return *Form5;
  Document *doc = &document_;
  Form5 = new TForm5(*this);
  connectMode(*Form5, document_, EditMode::Letter);
  connect(Form5, &TForm5::textChanged, doc, &Document::setLetterText);
  connect(Form5, &TForm5::undoClicked, doc, &Document::Undo1Click);
  connect(doc, &Document::letterTextWanted, Form5, &TForm5::focusText);
  return *Form5;
}

TForm6 &TForm1::clefWindow() {
  if (Form6) return *Form6;
  Form6 = new TForm6(*this);
  connect(Form6, &TForm6::confirmed, &document_,
          &Document::appendClefsAndBarlines);
  return *Form6;
}

TForm9 &TForm1::rectWindow() {
  if (Form9) return *Form9;
  Document *doc = &document_;
  Form9 = new TForm9(*this);
  connectMode(*Form9, document_, EditMode::Rect);
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
  Form9->setPasteEnabled(doc->pasteEnabled());
  return *Form9;
}

void TForm1::watchClipboard() {
  // Paste follows every change of the clipboard's text, ours and other
  // programs', and starts from what the clipboard holds now.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &document_,
          &Document::clipboardChanged);
  document_.clipboardChanged();
}

QList<std::pair<QWidget *, EditMode>> TForm1::builtModeWindows() const {
  QList<std::pair<QWidget *, EditMode>> built;
  if (Form2) built.append({Form2, EditMode::Note});
  if (Form5) built.append({Form5, EditMode::Letter});
  if (Form9) built.append({Form9, EditMode::Rect});
  return built;
}
