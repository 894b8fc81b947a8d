// The document's keys: the function keys of the main window and the text
// window, and the line-length command.
#include "app/core/Document.h"
#include "base/core/Messages.h"
#include "files/core/PageFormat.h"
#include "score/core/Decimal.h"

WindowKeyAction Document::FormKeyDown(KeyWindow window, int key,
                                      Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool main = window == KeyWindow::Main;
  if (held == Qt::ControlModifier) {
    if (key == Qt::Key_Comma && contentsMode_) SpeedButton4Click();
    if (key == Qt::Key_Period && contentsMode_) SpeedButton5Click();
    return WindowKeyAction::None;
  }
  if (held != Qt::NoModifier) return WindowKeyAction::None;
  switch (key) {
    // The memo pages through its own text with these.
    case Qt::Key_PageUp:
      return main ? WindowKeyAction::ScrollUp : WindowKeyAction::None;
    case Qt::Key_PageDown:
      return main ? WindowKeyAction::ScrollDown : WindowKeyAction::None;
    case Qt::Key_End:
      return main ? WindowKeyAction::ScrollRight : WindowKeyAction::None;
    case Qt::Key_Home:
      return main ? WindowKeyAction::ScrollLeft : WindowKeyAction::None;
    case Qt::Key_F1:
      return WindowKeyAction::ShowKeyHelp;
    case Qt::Key_F2:
      return main ? WindowKeyAction::ShowTextWindow
                  : WindowKeyAction::HideTextWindow;
    case Qt::Key_F3:
      if (MediaPlayer1.FileName.isEmpty()) break;
      // A press before the sound is ready waits for it.
      if (!midiPresent_ && sequencer_.preparing()) sequencer_.settle();
      if (!midiPresent_) {
        tellWhySilent();
        break;
      }
      if (MediaPlayer1.mode() == Sequencer::Mode::Stopped)
        SpeedButton9Click();
      else if (MediaPlayer1.mode() == Sequencer::Mode::Playing)
        SpeedButton10Click();
      break;
    case Qt::Key_F4:
      if (!MediaPlayer1.FileName.isEmpty()) SpeedButton11Click();
      break;
    case Qt::Key_F11:
      if (contentsMode_) SpeedButton4Click();
      break;
    case Qt::Key_F12:
      if (contentsMode_) SpeedButton5Click();
      break;
    default:
      break;
  }
  return WindowKeyAction::None;
}

QString Document::keyHelpText() {
  return QStringLiteral("テキスト表示=F2　MIDI演奏=F3,F4　ページ移動=F11,F12");
}

QString Document::keyHelpCaption(const QString &caption) {
  // While the key repeats, the caption saved at the first press stays.
  if (caption != keyHelpText()) SavedCaption = caption;
  return keyHelpText();
}

QString Document::captionAfterKeyHelp(const QString &caption) const {
  return caption == keyHelpText() ? SavedCaption : caption;
}

void Document::mojisu1Click() {
  QString typed = QString::number(maxChar_);
  if (!messages_.inputBox(QStringLiteral("一行の文字数設定"),
                          QStringLiteral("標準は半角79文字です。"), typed))
    return;
  const std::optional<int> value = parseDecimal(typed.trimmed().toUtf8());
  if (!value) {
    messages_.notAnInteger(typed);
    return;
  }
  maxChar_ = page_format::clampMaxChar(*value);
  // The page writer cannot wrap lines shorter or longer than this.
  if (maxChar_ != *value)
    messages_.warning(
        QStringLiteral("一行の文字数は %1～%2 です。%3 にしました。")
            .arg(page_format::MinMaxChar)
            .arg(page_format::MaxMaxChar)
            .arg(maxChar_));
}
