#include "sound/core/DeferredSequencer.h"

#include <QThread>

#include "sound/core/SoundFonts.h"
#include "sound/core/SoundModule.h"

DeferredSequencer::Prepared DeferredSequencer::prepareFrom(
    const QStringList &moduleFolders, const QString &soundFontFolder,
    QThread *home) {
  Prepared prepared;
  const sound_module::Api *api =
      sound_module::load(moduleFolders, &prepared.silenceReason);
  if (!api) return prepared;
  const QString soundFont = sound_fonts::best(soundFontFolder);
  if (soundFont.isEmpty()) {
    prepared.silenceReason = sound_fonts::missingMessage(soundFontFolder);
    return prepared;
  }
  prepared.sequencer.reset(api->makeSequencer(soundFont, {}, {}, home));
  if (prepared.sequencer->outputCount() == 0)
    prepared.silenceReason = QStringLiteral("音を出せる出力装置がありません。");
  return prepared;
}

DeferredSequencer::Prepared DeferredSequencer::prepareUsual(QThread *home) {
  return prepareFrom(sound_module::usualFolders(), sound_fonts::systemFolder(),
                     home);
}

DeferredSequencer::DeferredSequencer(Preparation preparation, QObject *parent)
    : QObject(parent), preparation_(std::move(preparation)) {}

DeferredSequencer::~DeferredSequencer() {
  if (pending_.valid()) pending_.wait();
}

void DeferredSequencer::prepareInBackground() {
  if (started_) return;
  started_ = true;
  QThread *home = thread();
  pending_ = std::async(std::launch::async, [this, home] {
    Prepared prepared = preparation_(home);
    // The result is taken on the program's thread, unless a settle() has
    // taken it already.
    QMetaObject::invokeMethod(
        this, [this] { takeResult(); }, Qt::QueuedConnection);
    return prepared;
  });
}

void DeferredSequencer::settle() {
  prepareInBackground();
  takeResult();
}

void DeferredSequencer::takeResult() {
  if (!pending_.valid()) return;
  Prepared prepared = pending_.get();
  done_ = true;
  real_ = std::move(prepared.sequencer);
  silenceReason_ = prepared.silenceReason;
  if (real_) real_->setEndReport([this] { reportEnd(); });
  reportReady();
}

int DeferredSequencer::outputCount() {
  return real_ ? real_->outputCount() : 0;
}

QString DeferredSequencer::silenceReason() const { return silenceReason_; }

bool DeferredSequencer::preparing() const { return !done_; }

bool DeferredSequencer::open(const QString &path, QString *error) {
  if (real_) return real_->open(path, error);
  if (error) *error = silenceReason_;
  return false;
}

void DeferredSequencer::close() {
  if (real_) real_->close();
}

void DeferredSequencer::play() {
  if (real_) real_->play();
}

void DeferredSequencer::stop() {
  if (real_) real_->stop();
}

void DeferredSequencer::seekToStart() {
  if (real_) real_->seekToStart();
}

void DeferredSequencer::seek(qint64 position) {
  if (real_) real_->seek(position);
}

Sequencer::Mode DeferredSequencer::mode() const {
  return real_ ? real_->mode() : Mode::NotReady;
}

qint64 DeferredSequencer::position() const {
  return real_ ? real_->position() : 0;
}

qint64 DeferredSequencer::length() const { return real_ ? real_->length() : 0; }

qint64 DeferredSequencer::milliseconds(qint64 position) const {
  return real_ ? real_->milliseconds(position) : 0;
}
