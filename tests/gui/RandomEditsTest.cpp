#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <array>
#include <iostream>
#include <map>
#include <optional>
#include <random>

#include "app/core/Document.h"
#include "app/core/SettingsFile.h"
#include "app/render/PageCanvasView.h"
#include "base/core/Cp932.h"
#include "edit/core/ClefsAndBarlines.h"
#include "files/core/PageFile.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"
#include "score/core/StaffLimits.h"
#include "score/core/TextEntry.h"
#include "score/render/Canvas.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedSequencer.h"
#include "support/TestFiles.h"

// Long random runs of editing on the document with the real canvas: after
// every step the page must be what the edits made of it (each input a whole
// Content, X and Y, the places whole numbers), a saved page must read back
// as it was, and the canvas drawn bit by bit must be the picture a full
// redraw gives, with the rubber band, the selection frame or the erase
// marker on top where one is shown.
//
// VARNEL_RANDOM_SEED changes the seed, VARNEL_RANDOM_SEQUENCES and
// VARNEL_RANDOM_STEPS the length of the run; a failure names the seed, the
// sequence and the step, and VARNEL_RANDOM_ONLY=<sequence> runs that one.

namespace {

using Rect = std::array<int, 4>;

struct Input {
  QByteArray content;
  int x, y;
  bool operator==(const Input &) const = default;
};

struct Stored {
  QList<Input> inputs;
  int staffCount, staffWidth;
  QByteArray pageText;
};

// What the edits made of the page and of the editor, kept by the test.
struct Model {
  QList<Input> inputs;
  int staffCount = ScorePage::DefaultStaffCount;
  int staffWidth = ScorePage::DefaultStaffWidth;
  QByteArray pageText;
  QString path;
  bool modified = false;
  Rect frame{};  // the selection rectangle; all 0: none
  QList<int> selection;
  bool selectionButtons = false;
  std::optional<Rect> band;      // the rubber band while the button is down
  std::optional<QPoint> marker;  // the step-erase marker
  std::optional<std::pair<Rect, QList<Input>>> clipboard;
};

// Texts typed into the letter window and what the page keeps of them; no
// stored text means the click places nothing.
const struct {
  const char *typed;
  const char *stored;
} Texts[] = {{"Allegro", "Allegro"},
             {"p", "p"},
             {"ポップス", "ポップス"},  // trail bytes that read as "|"
             {"a|b", "a｜b"},
             {"`14", "｀14"},
             {"表現ソ", "表現ソ"},  // trail bytes that read as "\"
             {"mf  dolce", "mf  dolce"},
             {" ", " "},
             {"End[one]", "End[one]"},  // a page file's end marker
             {"%Fum%", "%Fum%"},        // a region text's first line
             {"", nullptr},
             {"♬", nullptr}};

const char *const PageTexts[] = {
    "",
    "一行目\n二行目",
    "ポップスの|リズム\n\n最後",
    "short",
    "ｶﾀｶﾅ and ASCII ~ ^ `\nline 2\nline 3 ソソソソソソソソソソソソソソソ",
    "ends with a break\n",
    "\n",
    "End[one]\n~^|"};

const char *const Names[] = {"one.fum", "ページ名前.fum", "sub/two.fum"};

int envInt(const char *name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

// Floor division: stamps land on the nearest multiple of 4, a remainder of
// 2 going down.
int snapped(int y) {
  const int q = (y + 2) >= 0 ? (y + 2) / 4 : -((-(y + 2) + 3) / 4);
  return 4 * q;
}

class Sequence {
 public:
  explicit Sequence(quint32 seed) : random_(seed) {
    QDir().mkpath(scratch.file(QStringLiteral("program")));
    QDir().mkpath(scratch.file(QStringLiteral("sub")));
    doc.newPage();
    view.setClipboardText(QString());
    doc.regions().clipboardChanged();
  }

  // Runs `steps` random steps; false with `report` at the first step that
  // breaks an invariant.
  bool run(int steps) {
    for (step_ = 1; step_ <= steps; ++step_) {
      if (!oneStep()) return false;
    }
    return true;
  }
  QString report;
  int inputsMost = 0, saves = 0, reopens = 0;

 private:
  int pick(int low, int high) {  // inclusive
    return std::uniform_int_distribution<int>(low, high)(random_);
  }
  bool chance(int percent) { return pick(1, 100) <= percent; }
  QString file(const char *name) {
    return scratch.file(QString::fromUtf8(name));
  }

  bool oneStep();
  bool stamp();
  bool placeText();
  bool undo();
  bool stepErase();
  bool shift(bool fromRectWindow);
  bool clefs();
  bool paper(bool fromRectWindow);
  bool drag();
  bool selectAll();
  bool regionCommand();
  bool paste();
  bool save();
  bool reopen();
  bool newPage();
  bool openClipboard();
  bool enterMode(EditMode mode);
  bool saveQuestion();
  bool verify(const QString &what);
  bool fail(const QString &what, const QString &why);
  bool checkFile(const QString &path);
  QImage expectedCanvas() const;
  void selectInside(const Rect &r);
  void letSelectionGo() {
    model.frame = {};
    model.selection.clear();
    model.selectionButtons = false;
  }

  std::mt19937 random_;
  int step_ = 0;
  QStringList log_;
  std::map<QString, Stored> saved_;
  ScratchDir scratch;
  ScriptedMessages messages;
  ScriptedSequencer sequencer;
  SettingsFile settings{scratch.file(QStringLiteral("config/Vrn32.ini"))};
  PageCanvasView view;
  Document doc{
      {messages, sequencer, settings, scratch.file(QStringLiteral("program/"))},
      view};
  Model model;
  QStringList allowed_;  // messages the step may show
};

bool Sequence::oneStep() {
  messages = ScriptedMessages();
  allowed_.clear();
  const bool crowded = model.inputs.size() > 150;
  const bool rect = doc.input().mode() == EditMode::Rect;
  switch (pick(0, crowded ? 3 : 19)) {
    case 0:
      return rect ? regionCommand() : undo();
    case 1:
      return rect ? selectAll() : stepErase();
    case 2:
      return newPage();
    case 3:
      return crowded ? (rect ? regionCommand() : undo()) : drag();
    case 4:
    case 5:
    case 6:
      return stamp();
    case 7:
    case 8:
      return placeText();
    case 9:
      return shift(rect);
    case 10:
      return rect ? paste() : clefs();
    case 11:
      return paper(rect);
    case 12:
    case 13:
    case 14:
    case 15:
      // A selection is mostly made to be worked on.
      if (!drag()) return false;
      for (int n = pick(0, 3); n > 0 && model.selectionButtons; --n)
        if (!regionCommand()) return false;
      return true;
    case 16:
      return save();
    case 17:
      return chance(75) ? reopen() : openClipboard();
    case 18:
      if (rect) return paste();
      doc.typePageText(
          QString::fromUtf8(PageTexts[pick(0, int(std::size(PageTexts)) - 1)]));
      model.pageText = doc.page().PageText;
      model.modified = true;
      return verify(QStringLiteral("page text"));
    default: {
      const int lengths[] = {7, 8, 9, 10, 12, 16, 40, 79, 256};
      doc.session().setMaxChar(lengths[pick(0, 8)]);
      return enterMode(static_cast<EditMode>(pick(0, 3)));
    }
  }
}

bool Sequence::enterMode(EditMode mode) {
  if (doc.input().mode() == mode) return true;
  if (doc.input().mode() == EditMode::Rect) letSelectionGo();
  doc.input().setMode(mode);
  return verify(QStringLiteral("mode %1").arg(int(mode)));
}

bool Sequence::stamp() {
  if (!enterMode(EditMode::Note)) return false;
  if (chance(30)) doc.input().choosePaletteButton(pick(1, 14));
  if (chance(10)) doc.input().mousePressed(Qt::RightButton, {}, {5, 5});
  if (chance(10)) {
    const bool symbols = chance(50);
    doc.input().showSymbolList(symbols);
    doc.input().chooseListItem(symbols ? pick(0, 11) : pick(0, 9));
  }
  const int x = pick(0, model.staffWidth - 1);
  const int y = pick(0, staff_limits::canvasHeight(model.staffCount) - 1);
  const int glyph = doc.editor().CurrentGlyph;
  doc.input().mousePressed(Qt::LeftButton, {}, {x, y});
  model.inputs.append({glyphContent(glyph), x, snapped(y)});
  model.modified = true;
  return verify(QStringLiteral("stamp `%1 at %2,%3").arg(glyph).arg(x).arg(y));
}

bool Sequence::placeText() {
  if (!enterMode(EditMode::Letter)) return false;
  const auto &text = Texts[pick(0, int(std::size(Texts)) - 1)];
  const QString typed = QString::fromUtf8(text.typed);
  const int x = pick(0, model.staffWidth - 1);
  const int y = pick(0, staff_limits::canvasHeight(model.staffCount) - 1);
  doc.input().setLetterText(typed);
  if (typed == QStringLiteral("♬"))
    allowed_ << text_entry::unheldMessage(typed);
  doc.input().mousePressed(Qt::LeftButton, {}, {x, y});
  if (text.stored) {
    model.inputs.append({sjis(QString::fromUtf8(text.stored)), x, y});
    model.modified = true;
  }
  return verify(
      QStringLiteral("text \"%1\" at %2,%3").arg(typed).arg(x).arg(y));
}

bool Sequence::undo() {
  doc.edits().undoLastInput();
  if (!model.inputs.isEmpty()) {
    model.inputs.removeLast();
    model.modified = true;
  }
  return verify(QStringLiteral("undo"));
}

bool Sequence::stepErase() {
  const StepEraseState opened = doc.edits().stepEraser().open();
  if (opened != StepEraseState{0, int(model.inputs.size()), false})
    return fail(QStringLiteral("step erase opened"),
                QStringLiteral("scroll bar at %1 of %2")
                    .arg(opened.position)
                    .arg(opened.maximum));
  for (int round = pick(1, 3); round > 0; --round) {
    int position = pick(0, model.inputs.size());
    doc.edits().stepEraser().markAt(position);
    const auto markAt = [this](int p) {
      model.marker.reset();
      if (p > 0)
        model.marker = QPoint(model.inputs[p - 1].x, model.inputs[p - 1].y);
    };
    markAt(position);
    if (!verify(QStringLiteral("step erase to %1").arg(position))) return false;
    for (int erase = pick(0, 3); erase > 0; --erase) {
      const StepEraseState state = doc.edits().stepEraser().eraseMarked();
      if (position > 0) {
        model.inputs.removeAt(position - 1);
        model.modified = true;
        --position;
      }
      markAt(position);
      if (state.position != position || state.maximum != model.inputs.size())
        return fail(QStringLiteral("erase"),
                    QStringLiteral("scroll bar at %1 of %2, expected %3 of %4")
                        .arg(state.position)
                        .arg(state.maximum)
                        .arg(position)
                        .arg(model.inputs.size()));
      if (!verify(QStringLiteral("erase, now at %1").arg(position)))
        return false;
    }
  }
  doc.edits().stepEraser().close();
  model.marker.reset();
  return verify(QStringLiteral("step erase closed"));
}

bool Sequence::shift(bool fromRectWindow) {
  const bool up = chance(50);
  up ? doc.edits().shiftPageUp() : doc.edits().shiftPageDown();
  if (fromRectWindow) doc.regions().disableSelectionCommands();
  for (Input &input : model.inputs) input.y += up ? -64 : 64;
  letSelectionGo();
  model.modified = true;
  return verify(up ? QStringLiteral("shift up") : QStringLiteral("shift down"));
}

bool Sequence::clefs() {
  const clefs_and_barlines::Choice choice{pick(0, 4), pick(0, 4), pick(0, 3),
                                          pick(1, model.staffCount),
                                          pick(1, 3)};
  doc.edits().appendClefsAndBarlines(choice);
  for (const auto &g : clefs_and_barlines::inputs(choice, model.staffWidth))
    model.inputs.append({glyphContent(g.glyph), g.x, g.y});
  model.modified = true;
  return verify(QStringLiteral("clefs %1, barlines %2, system %3, from %4, %5")
                    .arg(choice.clef)
                    .arg(choice.barlines)
                    .arg(choice.system)
                    .arg(choice.firstStaff)
                    .arg(choice.staffCount));
}

bool Sequence::paper(bool fromRectWindow) {
  const bool large = chance(10);
  const int count = large ? pick(1, 32) : pick(1, 6);
  const int width = large ? pick(60, 1280) : pick(120, 800);
  doc.edits().applyPaperDialog(count, width);
  if (fromRectWindow) doc.regions().disableSelectionCommands();
  model.staffCount = count;
  model.staffWidth = width;
  letSelectionGo();
  model.modified = true;
  return verify(QStringLiteral("paper %1 x %2").arg(count).arg(width));
}

void Sequence::selectInside(const Rect &r) {
  model.frame = r;
  model.selection.clear();
  for (int i = 0; i < model.inputs.size(); ++i) {
    const Input &in = model.inputs[i];
    if (r[0] < in.x && in.x < r[2] && r[1] < in.y && in.y < r[3])
      model.selection.append(i);
  }
  model.selectionButtons = !model.selection.isEmpty();
}

bool Sequence::drag() {
  if (!enterMode(EditMode::Rect)) return false;
  const int w = model.staffWidth,
            h = staff_limits::canvasHeight(model.staffCount);
  const auto point = [&] {
    return QPoint(pick(-20, w + 20), pick(-20, h + 20));
  };
  const QPoint from = point();
  doc.input().mousePressed(Qt::LeftButton, {}, from);
  model.frame = {};
  model.selection.clear();
  model.band = Rect{from.x(), from.y(), from.x(), from.y()};
  if (!verify(QStringLiteral("press at %1,%2").arg(from.x()).arg(from.y())))
    return false;
  QPoint to = from;
  for (int moves = pick(0, 3); moves > 0; --moves) {
    to = chance(15) ? QPoint(from.x(), pick(-20, h + 20)) : point();
    doc.input().mouseMoved(Qt::LeftButton, to);
    model.band = Rect{from.x(), from.y(), to.x(), to.y()};
    if (!verify(QStringLiteral("band to %1,%2").arg(to.x()).arg(to.y())))
      return false;
  }
  if (chance(50)) to = point();
  doc.input().mouseReleased(Qt::LeftButton, to);
  model.band.reset();
  const Rect r{std::min(from.x(), to.x()), std::min(from.y(), to.y()),
               std::max(from.x(), to.x()), std::max(from.y(), to.y())};
  if (r[0] == r[2] || r[1] == r[3])
    letSelectionGo();
  else
    selectInside(r);
  return verify(QStringLiteral("release at %1,%2").arg(to.x()).arg(to.y()));
}

bool Sequence::selectAll() {
  doc.regions().selectAll();
  selectInside(
      {0, 0, model.staffWidth, staff_limits::canvasHeight(model.staffCount)});
  return verify(QStringLiteral("select all"));
}

bool Sequence::regionCommand() {
  if (doc.input().mode() != EditMode::Rect || !model.selectionButtons)
    return drag();
  QList<Input> selected;
  for (int i : model.selection) selected << model.inputs[i];
  const auto removeSelected = [&] {
    for (int k = model.selection.size() - 1; k >= 0; --k)
      model.inputs.removeAt(model.selection[k]);
    letSelectionGo();
    model.modified = true;
  };
  switch (pick(0, 7)) {
    case 0:
      doc.regions().cut();
      doc.regions().clipboardChanged();
      model.clipboard = {model.frame, selected};
      removeSelected();
      return verify(QStringLiteral("cut"));
    case 1:
      doc.regions().copy();
      doc.regions().clipboardChanged();
      model.clipboard = {model.frame, selected};
      return verify(QStringLiteral("copy"));
    case 2:
      doc.regions().duplicate();
      model.inputs << selected;
      model.modified = true;
      return verify(QStringLiteral("duplicate"));
    case 3:
      doc.regions().remove();
      removeSelected();
      return verify(QStringLiteral("delete"));
    case 4:
      doc.regions().redrawWithoutFrame();
      letSelectionGo();
      return verify(QStringLiteral("redraw"));
    default: {
      const MoveArrow arrow = static_cast<MoveArrow>(pick(0, 3));
      const Qt::KeyboardModifiers held[] = {
          Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
          Qt::ShiftModifier | Qt::ControlModifier};
      const int m = pick(0, 3);
      const bool vertical = arrow == MoveArrow::Up || arrow == MoveArrow::Down;
      int step = m == 1   ? (vertical ? 64 : 66)
                 : m == 2 ? (vertical ? 32 : 33)
                          : 1;
      if (arrow == MoveArrow::Up || arrow == MoveArrow::Left) step = -step;
      doc.regions().moveByArrow(arrow, held[m]);
      for (int i : model.selection)
        (vertical ? model.inputs[i].y : model.inputs[i].x) += step;
      model.frame[vertical ? 1 : 0] += step;
      model.frame[vertical ? 3 : 2] += step;
      model.modified = true;
      const char *names[] = {"up", "down", "left", "right"};
      return verify(QStringLiteral("move %1 by %2")
                        .arg(QLatin1String(names[int(arrow)]))
                        .arg(std::abs(step)));
    }
  }
}

bool Sequence::paste() {
  if (!enterMode(EditMode::Rect)) return false;
  if (!model.clipboard) return selectAll();
  doc.regions().paste();
  model.selection.clear();
  for (const Input &input : model.clipboard->second) {
    model.selection << model.inputs.size();
    model.inputs << input;
  }
  model.frame = model.clipboard->first;
  model.selectionButtons = true;
  model.modified = true;
  return verify(QStringLiteral("paste"));
}

// Answers the save question of the command about to run, when it will be
// asked; false when the answer is Cancel.
bool Sequence::saveQuestion() {
  if (!model.modified) return true;
  allowed_ << QStringLiteral("現在の譜面をファイルに保存しますか？");
  const int answer = pick(0, 2);
  if (answer == 2) {
    messages.answers = {Messages::Answer::Cancel};
    return false;
  }
  if (answer == 1) {
    messages.answers = {Messages::Answer::No};
    return true;
  }
  messages.answers = {Messages::Answer::Yes};
  QString path = model.path;
  if (path.isEmpty()) {
    path = file(Names[pick(0, 2)]);
    messages.paths = {path};
  }
  saved_[path] = {model.inputs, model.staffCount, model.staffWidth,
                  model.pageText};
  model.path = path;
  model.modified = false;
  ++saves;
  return true;
}

bool Sequence::save() {
  QString path = model.path;
  if (path.isEmpty() || chance(40)) {
    path = file(Names[pick(0, 2)]);
    messages.paths = {path};
    if (!doc.saveAs())
      return fail(QStringLiteral("save as"), messages.texts().join('\n'));
  } else if (!doc.save()) {
    return fail(QStringLiteral("save"), messages.texts().join('\n'));
  }
  saved_[path] = {model.inputs, model.staffCount, model.staffWidth,
                  model.pageText};
  model.path = path;
  model.modified = false;
  ++saves;
  return verify(QStringLiteral("save as %1").arg(path)) && checkFile(path);
}

bool Sequence::reopen() {
  if (saved_.empty()) return save();
  auto it = saved_.begin();
  std::advance(it, pick(0, saved_.size() - 1));
  const QString path = it->first;
  const bool goesOn = saveQuestion();
  // A name shortened for a short line length is not the file's name: the
  // program asks whether to save the page under its own name, and No keeps
  // the file as it is.
  const QString name = QFileInfo(path).fileName();
  allowed_ << page_file::nameQuestion(
                  name,
                  page_format::readPageBlock(readBytes(path)).internalName)
           << page_file::nameQuestion(name, page_format::internalNameFor(
                                                path, doc.session().maxChar()));
  const bool wrote = goesOn && !messages.answers.isEmpty() &&
                     messages.answers.first() == Messages::Answer::Yes;
  const QString written = wrote ? model.path : QString();
  doc.files().openFile(path);
  if (wrote && !checkFile(written)) return false;
  if (goesOn) {
    const Stored &s = saved_.at(path);
    model.inputs = s.inputs;
    model.staffCount = s.staffCount;
    model.staffWidth = s.staffWidth;
    model.pageText = s.pageText;
    model.path = path;
    model.modified = false;
    letSelectionGo();
    ++reopens;
  }
  return verify(QStringLiteral("reopen %1").arg(path));
}

bool Sequence::newPage() {
  const int count = pick(1, 6);
  if (saveQuestion()) {
    const QString written = model.path;
    const bool wrote = messages.answers == QList{Messages::Answer::Yes};
    doc.edits().newPageOfStaves(count);
    if (wrote && !checkFile(written)) return false;
    model.inputs.clear();
    model.staffCount = count;
    model.pageText.clear();
    model.path.clear();
    model.modified = false;
    letSelectionGo();
  } else {
    doc.edits().newPageOfStaves(count);
  }
  return verify(QStringLiteral("new page of %1 staves").arg(count));
}

// A saved page copied as text from another program and opened from the
// clipboard: the page comes without a file and counts as modified.
bool Sequence::openClipboard() {
  if (saved_.empty()) return save();
  auto it = saved_.begin();
  std::advance(it, pick(0, int(saved_.size()) - 1));
  const Stored copied = it->second;
  view.setClipboardText(cp932::toUnicode(readBytes(it->first)));
  doc.regions().clipboardChanged();
  model.clipboard.reset();
  if (saveQuestion()) {
    const QString written = model.path;
    const bool wrote = messages.answers == QList{Messages::Answer::Yes};
    doc.files().openClipboardText();
    if (wrote && !checkFile(written)) return false;
    model.inputs = copied.inputs;
    model.staffCount = copied.staffCount;
    model.staffWidth = copied.staffWidth;
    model.pageText = copied.pageText;
    model.path.clear();
    model.modified = true;
    letSelectionGo();
  } else {
    doc.files().openClipboardText();
  }
  return verify(QStringLiteral("open a copy of %1").arg(it->first));
}

QImage Sequence::expectedCanvas() const {
  Canvas canvas;
  canvas.ResizeCanvas(model.staffCount, model.staffWidth);
  ScorePage page;
  for (const Input &input : model.inputs)
    page.append(input.content, input.x, input.y);
  canvas.ReplayInputs(page);
  if (model.band) {
    const Rect &b = *model.band;
    canvas.xorFrame(b[0], b[1], b[2], b[3]);
  } else if (doc.editor().Mode == EditMode::Rect) {
    canvas.xorFrame(model.frame[0], model.frame[1], model.frame[2],
                    model.frame[3]);
  }
  if (model.marker) canvas.xorEraseMarker(model.marker->x(), model.marker->y());
  return canvas.image();
}

bool Sequence::verify(const QString &what) {
  log_ << QStringLiteral("%1: %2").arg(step_).arg(what);
  if (log_.size() > 40) log_.removeFirst();
  inputsMost = std::max(inputsMost, int(model.inputs.size()));
  for (const ScriptedMessages::Shown &shown : messages.shown)
    if (!allowed_.contains(shown.text))
      return fail(what, QStringLiteral("unexpected message: ") + shown.text);
  messages.shown.clear();
  const ScorePage &page = doc.page();
  if (page.count() != model.inputs.size())
    return fail(what, QStringLiteral("%1 inputs, expected %2")
                          .arg(page.count())
                          .arg(model.inputs.size()));
  for (int i = 0; i < page.count(); ++i) {
    const Input &want = model.inputs[i];
    const std::optional<int> x = parseDecimal(page.Inputs.x(i));
    const std::optional<int> y = parseDecimal(page.Inputs.y(i));
    // A place is a whole number, written plainly.
    if (!x || !y || QByteArray::number(*x) != page.Inputs.x(i) ||
        QByteArray::number(*y) != page.Inputs.y(i) ||
        page.Inputs.content(i).isEmpty())
      return fail(
          what, QStringLiteral("input %1 is (%2, %3, %4)")
                    .arg(i)
                    .arg(cp932::toUnicode(page.Inputs.content(i).toByteArray()))
                    .arg(QString::fromLatin1(page.Inputs.x(i)))
                    .arg(QString::fromLatin1(page.Inputs.y(i))));
    if (page.Inputs.content(i) != want.content || *x != want.x || *y != want.y)
      return fail(
          what,
          QStringLiteral("input %1 is (%2, %3, %4), expected (%5, %6, %7)")
              .arg(i)
              .arg(cp932::toUnicode(page.Inputs.content(i).toByteArray()))
              .arg(*x)
              .arg(*y)
              .arg(cp932::toUnicode(want.content))
              .arg(want.x)
              .arg(want.y));
  }
  if (page.StaffCount != model.staffCount ||
      page.StaffWidth != model.staffWidth)
    return fail(what, QStringLiteral("paper %1 x %2")
                          .arg(page.StaffCount)
                          .arg(page.StaffWidth));
  if (page.PageText != model.pageText)
    return fail(what, QStringLiteral("page text"));
  if (page.PagePath != model.path)
    return fail(what, QStringLiteral("page path %1, expected %2")
                          .arg(page.PagePath, model.path));
  if (doc.isModified() != model.modified)
    return fail(what, doc.isModified() ? QStringLiteral("modified")
                                       : QStringLiteral("not modified"));
  if (!model.band) {
    const int *r = doc.editor().SelectionRect;
    if (Rect{r[0], r[1], r[2], r[3]} != model.frame)
      return fail(what, QStringLiteral("selection rectangle %1,%2,%3,%4")
                            .arg(r[0])
                            .arg(r[1])
                            .arg(r[2])
                            .arg(r[3]));
    if (doc.regions().selection() != model.selection)
      return fail(what, QStringLiteral("%1 inputs selected, expected %2")
                            .arg(doc.regions().selection().size())
                            .arg(model.selection.size()));
    if (doc.regions().selectionCommandsEnabled() != model.selectionButtons)
      return fail(what, QStringLiteral("selection buttons"));
  }
  if (doc.regions().pasteEnabled() != model.clipboard.has_value())
    return fail(what, QStringLiteral("paste button"));
  const QImage expected = expectedCanvas();
  const QImage &shown = view.canvas().image();
  if (shown != expected) {
    const QString folder =
        QDir::temp().filePath(QStringLiteral("varnel-random-edits"));
    QDir().mkpath(folder);
    const QString stem = QStringLiteral("%1/step-%2").arg(folder).arg(step_);
    shown.save(stem + QStringLiteral("-canvas.png"));
    expected.save(stem + QStringLiteral("-redrawn.png"));
    return fail(
        what, QStringLiteral("the canvas is not the redrawn page: see %1-*.png")
                  .arg(stem));
  }
  return true;
}

bool Sequence::checkFile(const QString &path) {
  const auto it = saved_.find(path);
  if (it == saved_.end())
    return fail(QStringLiteral("file"),
                QStringLiteral("nothing saved as ") + path);
  const Stored &want = it->second;
  ScorePage read;
  const page_file::LoadResult result = page_file::readInto(read, path);
  if (result.status != page_file::LoadResult::Status::Loaded) {
    QStringList why;
    for (const Report &each : result.reports) why << each.text;
    return fail(QStringLiteral("read back ") + path, why.join('\n'));
  }
  const QByteArray bytes = readBytes(path);
  const page_format::DataFields fields = page_format::splitDataPayload(
      page_format::readPageBlock(bytes).dataPayload);
  QList<Input> inputs;
  for (int i = 0; i < read.count(); ++i)
    inputs.append({read.Inputs.content(i).toByteArray(),
                   parseDecimal(read.Inputs.x(i)).value_or(INT_MIN),
                   parseDecimal(read.Inputs.y(i)).value_or(INT_MIN)});
  if (inputs != want.inputs ||
      fields.fieldCount != 3 + 3 * want.inputs.size() ||
      read.StaffCount != want.staffCount ||
      read.StaffWidth != want.staffWidth || result.pageText != want.pageText)
    return fail(
        QStringLiteral("read back ") + path,
        QStringLiteral("%1 inputs in %2 fields, paper %3 x %4, text %5")
            .arg(inputs.size())
            .arg(fields.fieldCount)
            .arg(read.StaffCount)
            .arg(read.StaffWidth)
            .arg(result.pageText == want.pageText ? "same" : "changed"));
  return true;
}

bool Sequence::fail(const QString &what, const QString &why) {
  const QString last = QStringLiteral("%1: %2").arg(step_).arg(what);
  if (log_.isEmpty() || log_.last() != last) log_ << last;
  report = QStringLiteral("step %1 (%2): %3\nlast steps:\n  %4")
               .arg(step_)
               .arg(what, why, log_.join(QStringLiteral("\n  ")));
  return false;
}

}  // namespace

TEST(RandomEdits, EveryStepKeepsThePageItsFileAndItsCanvasInStep) {
  const quint32 seed = envInt("VARNEL_RANDOM_SEED", 20240611);
  const int sequences = envInt("VARNEL_RANDOM_SEQUENCES", 25);
  const int steps = envInt("VARNEL_RANDOM_STEPS", 400);
  const int only = envInt("VARNEL_RANDOM_ONLY", -1);
  std::cout << "VARNEL_RANDOM_SEED=" << seed << ": " << sequences
            << " sequences x " << steps << " steps" << std::endl;
  int most = 0, saves = 0, reopens = 0;
  for (int s = 0; s < sequences; ++s) {
    if (only >= 0 && s != only) continue;
    Sequence sequence(seed * 7919u + s);
    if (!sequence.run(steps))
      ADD_FAILURE() << "VARNEL_RANDOM_SEED=" << seed
                    << " VARNEL_RANDOM_ONLY=" << s << ", "
                    << sequence.report.toStdString();
    most = std::max(most, sequence.inputsMost);
    saves += sequence.saves;
    reopens += sequence.reopens;
  }
  std::cout << "at most " << most << " inputs on a page, " << saves
            << " saves, " << reopens << " reopens" << std::endl;
}
