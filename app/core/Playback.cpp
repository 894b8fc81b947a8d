#include "app/core/Playback.h"

#include <QFileInfo>

#include "base/core/Messages.h"
#include "files/core/PathLookup.h"

namespace {

QString busyOutputMessage() {
  return QStringLiteral("他のアプリケーションがMIDIを使っていると思われます。");
}

}  // namespace

Playback::Playback(Messages &messages, Sequencer &sequencer,
                   const QString &programFolder)
    : messages_(messages),
      sequencer_(sequencer),
      programFolder_(programFolder),
      player_(sequencer) {
  qRegisterMetaType<PlayButtons>();
  positionTimer_.setInterval(200);
  connect(&positionTimer_, &QTimer::timeout, this, &Playback::positionChanged);
  sequencer.setEndReport([this] { pieceEnded(); });
  sequencer.setReadyReport([this] { soundReady(); });
  soundPresent_ = sequencer.outputCount() > 0;
}

QString Playback::silenceReason() const {
  if (soundPresent_) return {};
  if (sequencer_.preparing()) return QStringLiteral("音源を準備しています。");
  const QString reason = sequencer_.silenceReason();
  return reason.isEmpty() ? QStringLiteral("音を出せる出力装置がありません。")
                          : reason;
}

// The sound output is ready, or known to be missing. The page's piece,
// read while it was being prepared, is opened now.
void Playback::soundReady() {
  soundPresent_ = sequencer_.outputCount() > 0;
  emit soundOutputChanged();
  if (!soundPresent_ || player_.FileName.isEmpty()) return;
  QString error;
  if (player_.isOpen() || player_.open(&error))
    enableButtons();
  else
    messages_.generalError(error);
}

void Playback::tellWhySilent() {
  if (silenceTold_) return;
  silenceTold_ = true;
  messages_.warning(QStringLiteral("MIDIを演奏できません。\n") +
                    silenceReason());
}

void Playback::play() {
  if (!soundPresent_) return;
  QString error;
  if (!player_.play(&error)) {
    messages_.generalError(error);
    return;
  }
  if (player_.mode() == Sequencer::Mode::Playing)
    setButtons({false, true, buttons_.toStart});
  else
    messages_.warning(busyOutputMessage());
}

void Playback::stop() {
  if (!soundPresent_) return;
  // The buttons follow when the end report comes.
  QString error;
  if (!player_.stop(&error)) messages_.generalError(error);
}

void Playback::rewind() {
  if (!soundPresent_) return;
  QString error;
  if (!player_.seekToStart(&error)) messages_.generalError(error);
  emit positionChanged();
}

void Playback::playFrom(qint64 position) {
  if (!soundPresent_) return;
  // A play in progress stops where it was; its end report comes after the
  // new play has begun, and is let go.
  QString error;
  if (!player_.seek(position, &error)) {
    messages_.generalError(error);
    return;
  }
  play();
  emit positionChanged();
}

qint64 Playback::position() const {
  if (!player_.isOpen()) return 0;
  const qint64 at = sequencer_.position();
  return at >= sequencer_.length() ? 0 : at;
}

QString Playback::timeText() const {
  const auto clock = [](qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60)
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
  };
  // A piece of under a second is not called 0:00 long.
  const qint64 whole = sequencer_.milliseconds(length());
  return clock(sequencer_.milliseconds(position())) + QStringLiteral(" / ") +
         clock(whole + 999);
}

void Playback::pieceEnded() {
  // The report of a play that a new play has already followed.
  if (player_.mode() == Sequencer::Mode::Playing) return;
  if (!player_.FileName.isEmpty())
    enableButtons();
  else
    disableButtons();
}

QString Playback::resetFilePath() const {
  return programFolder_ + QStringLiteral("Gmon.mid");
}

void Playback::resetSoundSource() {
  const QString reset = resetFilePath();
  if (!QFileInfo(reset).isFile()) {
    messages_.warning(
        QStringLiteral("Gmon.mid がありません。\n音源を初期化できません。"));
    return;
  }
  player_.close();
  disableButtons();
  const QString pagePiece = player_.FileName;
  player_.FileName = reset;
  QString error;
  if (!player_.open(&error)) {
    // The reset ends here; the page's piece stays closed until the next
    // page is read.
    messages_.generalError(error);
    player_.FileName = pagePiece;
    return;
  }
  player_.play(&error);
  if (player_.mode() == Sequencer::Mode::Playing) {
    // The box stays up while the reset file plays.
    messages_.show(QStringLiteral("音源を初期化しました。"),
                   Messages::Icon::None, Messages::Buttons::Ok);
    player_.close();
  } else {
    messages_.warning(busyOutputMessage());
  }
  player_.FileName = pagePiece;
  if (pagePiece.isEmpty()) {
    player_.close();
    disableButtons();
    return;
  }
  if (player_.open(&error))
    enableButtons();
  else
    messages_.generalError(error);
}

void Playback::playOrStop() {
  // A press before the sound is ready waits for it.
  if (!soundPresent_ && sequencer_.preparing()) sequencer_.settle();
  if (!soundPresent_) {
    tellWhySilent();
    return;
  }
  if (player_.mode() == Sequencer::Mode::Stopped)
    play();
  else if (player_.mode() == Sequencer::Mode::Playing)
    stop();
}

void Playback::attachPiece(const QString &pagePath) {
  const QString midi = pagePath.isEmpty()
                           ? QString()
                           : findSibling(pagePath, QStringLiteral(".mid"));
  if (midi.isEmpty()) {
    player_.close();
    disableButtons();
    return;
  }
  player_.FileName = midi;
  QString error;
  // A piece the sequencer refuses leaves the buttons as they are: off.
  // Without any output the refusal is no news: nothing could sound anyway.
  if (player_.open(&error))
    enableButtons();
  else if (soundPresent_)
    messages_.generalError(error);
}

void Playback::closePiece() {
  player_.close();
  player_.FileName.clear();
  disableButtons();
}

void Playback::enableButtons() {
  if (!soundPresent_) return;
  setButtons({true, false, true});
}

void Playback::setButtons(PlayButtons buttons) {
  buttons_ = buttons;
  // Stop is pressable exactly while the piece plays.
  if (buttons.stop)
    positionTimer_.start();
  else
    positionTimer_.stop();
  emit buttonsChanged(buttons);
  emit positionChanged();
}
