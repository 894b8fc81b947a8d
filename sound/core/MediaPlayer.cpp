#include "sound/core/MediaPlayer.h"

QString MediaPlayer::noDeviceMessage() {
  return QStringLiteral("MCI ﾃﾞﾊﾞｲｽがありません");
}

bool MediaPlayer::open(QString *error) {
  close();
  QString reason;
  open_ = sequencer_.open(FileName, &reason);
  if (!open_)
    *error = reason.isEmpty() ? QStringLiteral("原因不明のｴﾗｰ") : reason;
  return open_;
}

void MediaPlayer::close() {
  if (!open_) return;
  open_ = false;
  sequencer_.close();
}

bool MediaPlayer::refuseWhenClosed(QString *error) const {
  if (open_) return false;
  *error = noDeviceMessage();
  return true;
}

bool MediaPlayer::play(QString *error) {
  if (refuseWhenClosed(error)) return false;
  // At the end of the piece a play starts it again.
  if (sequencer_.position() >= sequencer_.length()) sequencer_.seekToStart();
  sequencer_.play();
  return true;
}

bool MediaPlayer::stop(QString *error) {
  if (refuseWhenClosed(error)) return false;
  sequencer_.stop();
  return true;
}

bool MediaPlayer::seekToStart(QString *error) {
  if (refuseWhenClosed(error)) return false;
  sequencer_.seekToStart();
  return true;
}

bool MediaPlayer::seek(qint64 position, QString *error) {
  if (refuseWhenClosed(error)) return false;
  sequencer_.seek(position);
  return true;
}

Sequencer::Mode MediaPlayer::mode() const {
  return open_ ? sequencer_.mode() : Sequencer::Mode::NotReady;
}
