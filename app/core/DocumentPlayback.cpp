// The document's playback: the page's piece through the tool bar and the
// General MIDI reset.
#include <QFileInfo>

#include "app/core/Document.h"
#include "base/core/Messages.h"

namespace {

QString busyOutputMessage() {
  return QStringLiteral("他のアプリケーションがMIDIを使っていると思われます。");
}

}  // namespace

QString Document::silenceReason() const {
  if (midiPresent_) return {};
  if (sequencer_.preparing()) return QStringLiteral("音源を準備しています。");
  const QString reason = sequencer_.silenceReason();
  return reason.isEmpty() ? QStringLiteral("音を出せる出力装置がありません。")
                          : reason;
}

// The sound output is ready, or known to be missing. The page's piece,
// read while it was being prepared, is opened now.
void Document::soundReady() {
  midiPresent_ = sequencer_.outputCount() > 0;
  emit soundOutputChanged();
  if (!midiPresent_ || MediaPlayer1.FileName.isEmpty()) return;
  QString error;
  if (MediaPlayer1.isOpen() || MediaPlayer1.open(&error))
    EnablePlayButtons();
  else
    messages_.generalError(error);
}

void Document::tellWhySilent() {
  if (silenceTold_) return;
  silenceTold_ = true;
  messages_.warning(QStringLiteral("MIDIを演奏できません。\n") +
                    silenceReason());
}

void Document::SpeedButton9Click() {
  if (!midiPresent_) return;
  QString error;
  if (!MediaPlayer1.play(&error)) {
    messages_.generalError(error);
    return;
  }
  if (MediaPlayer1.mode() == Sequencer::Mode::Playing)
    setPlayButtons({false, true, playButtons_.toStart});
  else
    messages_.warning(busyOutputMessage());
}

void Document::SpeedButton10Click() {
  if (!midiPresent_) return;
  // The buttons follow when the end report comes.
  QString error;
  if (!MediaPlayer1.stop(&error)) messages_.generalError(error);
}

void Document::SpeedButton11Click() {
  if (!midiPresent_) return;
  QString error;
  if (!MediaPlayer1.seekToStart(&error)) messages_.generalError(error);
}

void Document::MediaPlayer1Notify() {
  // The report of a play that a new play has already followed.
  if (MediaPlayer1.mode() == Sequencer::Mode::Playing) return;
  if (!MediaPlayer1.FileName.isEmpty())
    EnablePlayButtons();
  else
    DisablePlayButtons();
}

QString Document::GmResetPath() const {
  return programFolder_ + QStringLiteral("Gmon.mid");
}

void Document::GMON1Click() {
  const QString reset = GmResetPath();
  if (!QFileInfo(reset).isFile()) {
    messages_.warning(
        QStringLiteral("Gmon.mid がありません。\n音源を初期化できません。"));
    return;
  }
  MediaPlayer1.close();
  DisablePlayButtons();
  const QString pagePiece = MediaPlayer1.FileName;
  MediaPlayer1.FileName = reset;
  QString error;
  if (!MediaPlayer1.open(&error)) {
    // The reset ends here; the page's piece stays closed until the next
    // page is read.
    messages_.generalError(error);
    MediaPlayer1.FileName = pagePiece;
    return;
  }
  MediaPlayer1.play(&error);
  if (MediaPlayer1.mode() == Sequencer::Mode::Playing) {
    // The box stays up while the reset file plays.
    messages_.show(QStringLiteral("音源を初期化しました。"),
                   Messages::Icon::None, Messages::Buttons::Ok);
    MediaPlayer1.close();
  } else {
    messages_.warning(busyOutputMessage());
  }
  MediaPlayer1.FileName = pagePiece;
  if (pagePiece.isEmpty()) {
    MediaPlayer1.close();
    DisablePlayButtons();
    return;
  }
  if (MediaPlayer1.open(&error))
    EnablePlayButtons();
  else
    messages_.generalError(error);
}
