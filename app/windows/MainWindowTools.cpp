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

void MainWindow::attachToolWindows(NotePaletteWindow *palette, TextWindow *text,
                                   LetterWindow *letter, RectEditWindow *rect,
                                   ClefBarlineWindow *clefs) {
  Form2 = palette;
  Form3 = text;
  Form5 = letter;
  Form9 = rect;
  Form6 = clefs;
  Document *doc = &document_;
  PageInput *input = &document_.input();

  const std::pair<ModeWindow *, EditMode> modeWindows[] = {
      {Form2, EditMode::Note},
      {Form5, EditMode::Letter},
      {Form9, EditMode::Rect}};
  for (const auto &[window, mode] : modeWindows) {
    connect(window, &ModeWindow::modeShown, input,
            [input, mode = mode] { input->modeWindowShown(mode); });
    connect(window, &ModeWindow::modeHidden, input,
            [input, mode = mode] { input->modeWindowHidden(mode); });
  }

  connect(Form2, &NotePaletteWindow::paletteButtonChosen, input,
          &PageInput::choosePaletteButton);
  connect(Form2, &NotePaletteWindow::listItemChosen, input,
          &PageInput::chooseListItem);
  connect(Form2, &NotePaletteWindow::symbolListShown, input,
          &PageInput::showSymbolList);
  connect(Form2, &NotePaletteWindow::undoClicked, doc,
          &Document::undoLastInput);

  connect(Form5, &LetterWindow::textChanged, input, &PageInput::setLetterText);
  connect(Form5, &LetterWindow::undoClicked, doc, &Document::undoLastInput);
  connect(input, &PageInput::letterTextWanted, Form5, &LetterWindow::focusText);

  connect(Form6, &ClefBarlineWindow::confirmed, doc,
          &Document::appendClefsAndBarlines);

  connectRectWindow();

  connect(Form3, &TextWindow::visibilityChanged, SpeedButton3,
          &QToolButton::setChecked);
  connect(Form3, &TextWindow::visibilityChanged, TextWindow1,
          &QAction::setChecked);
}

void MainWindow::connectRectWindow() {
  Document *doc = &document_;
  RegionTool *regions = &document_.regions();
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
    doc->shiftPageUp();
    regions->disableSelectionCommands();
  });
  connect(Form9, &RectEditWindow::shiftDownChosen, doc, [doc, regions] {
    doc->shiftPageDown();
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
  // Paste follows every change of the clipboard's text, ours and other
  // programs', and starts from what the clipboard holds now.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, regions,
          &RegionTool::clipboardChanged);
  regions->clipboardChanged();
}
