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

void connectMode(ModeWindow &window, PageInput &input, EditMode mode) {
  QObject::connect(&window, &ModeWindow::modeShown, &input,
                   [&input, mode] { input.modeWindowShown(mode); });
  QObject::connect(&window, &ModeWindow::modeHidden, &input,
                   [&input, mode] { input.modeWindowHidden(mode); });
}

}  // namespace

void MainWindow::attachTextWindow(TextWindow *text) {
  Form3 = text;
  connect(Form3, &TextWindow::visibilityChanged, TextWindow1,
          &QAction::setChecked);
}

NotePaletteWindow &MainWindow::notePalette() {
  if (Form2) return *Form2;
  PageInput *input = &document_.input();
  Form2 = new NotePaletteWindow(*this);
  connectMode(*Form2, *input, EditMode::Note);
  connect(Form2, &NotePaletteWindow::paletteButtonChosen, input,
          &PageInput::choosePaletteButton);
  connect(Form2, &NotePaletteWindow::listItemChosen, input,
          &PageInput::chooseListItem);
  connect(Form2, &NotePaletteWindow::symbolListShown, input,
          &PageInput::showSymbolList);
  connect(Form2, &NotePaletteWindow::undoClicked, &document_,
          [edits = &document_.edits()] { edits->undoLastInput(); });
  return *Form2;
}

LetterWindow &MainWindow::letterWindow() {
  if (Form5) return *Form5;
  PageInput *input = &document_.input();
  Form5 = new LetterWindow(*this);
  connectMode(*Form5, *input, EditMode::Letter);
  connect(Form5, &LetterWindow::textChanged, input, &PageInput::setLetterText);
  connect(Form5, &LetterWindow::undoClicked, &document_,
          [edits = &document_.edits()] { edits->undoLastInput(); });
  connect(input, &PageInput::letterTextWanted, Form5, &LetterWindow::focusText);
  return *Form5;
}

ClefBarlineWindow &MainWindow::clefWindow() {
  if (Form6) return *Form6;
  Form6 = new ClefBarlineWindow(*this);
  connect(
      Form6, &ClefBarlineWindow::confirmed, &document_,
      [edits = &document_.edits()](const clefs_and_barlines::Choice &choice) {
        edits->appendClefsAndBarlines(choice);
      });
  return *Form6;
}

RectEditWindow &MainWindow::rectWindow() {
  if (Form9) return *Form9;
  Document *doc = &document_;
  RegionTool *regions = &document_.regions();
  Form9 = new RectEditWindow(*this);
  connectMode(*Form9, document_.input(), EditMode::Rect);
  connect(Form9, &RectEditWindow::cutClicked, regions, &RegionTool::cut);
  connect(Form9, &RectEditWindow::copyClicked, regions, &RegionTool::copy);
  connect(Form9, &RectEditWindow::pasteClicked, regions, &RegionTool::paste);
  connect(Form9, &RectEditWindow::duplicateClicked, regions,
          &RegionTool::duplicate);
  connect(Form9, &RectEditWindow::deleteClicked, regions, &RegionTool::remove);
  connect(Form9, &RectEditWindow::moveReleased, regions,
          &RegionTool::moveByArrow);
  connect(Form9, &RectEditWindow::redrawChosen, regions,
          &RegionTool::redrawWithoutFrame);
  connect(Form9, &RectEditWindow::selectAllChosen, regions,
          &RegionTool::selectAll);
  connect(Form9, &RectEditWindow::shiftUpChosen, doc, [doc, regions] {
    doc->edits().shiftPageUp();
    regions->disableSelectionCommands();
  });
  connect(Form9, &RectEditWindow::shiftDownChosen, doc, [doc, regions] {
    doc->edits().shiftPageDown();
    regions->disableSelectionCommands();
  });
  connect(Form9, &RectEditWindow::paperChosen, this, [this, regions] {
    showPaperDialog();
    regions->disableSelectionCommands();
  });
  connect(regions, &RegionTool::selectionCommandsChanged, Form9,
          &RectEditWindow::setSelectionButtonsEnabled);
  connect(regions, &RegionTool::pasteEnabledChanged, Form9,
          &RectEditWindow::setPasteEnabled);
  Form9->setSelectionButtonsEnabled(regions->selectionCommandsEnabled());
  Form9->setPasteEnabled(regions->pasteEnabled());
  return *Form9;
}

void MainWindow::watchClipboard() {
  // Paste follows every change of the clipboard's text, ours and other
  // programs', and starts from what the clipboard holds now.
  RegionTool *regions = &document_.regions();
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, regions,
          &RegionTool::clipboardChanged);
  regions->clipboardChanged();
}

QList<std::pair<QWidget *, EditMode>> MainWindow::builtModeWindows() const {
  QList<std::pair<QWidget *, EditMode>> built;
  if (Form2) built.append({Form2, EditMode::Note});
  if (Form5) built.append({Form5, EditMode::Letter});
  if (Form9) built.append({Form9, EditMode::Rect});
  return built;
}
