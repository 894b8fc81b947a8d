#pragma once

#include <QObject>
#include <functional>
#include <future>
#include <memory>

#include "sound/core/Sequencer.h"

class QThread;

// The program's sequencer: silent until the sound module, the synthesizer
// and its SoundFont have been prepared on a worker thread, then the real
// one. Loading them takes longer than a window takes to paint, so the
// window paints first and the preparation follows.
class DeferredSequencer : public QObject, public Sequencer {
  Q_OBJECT

 public:
  // What a preparation leaves: the sequencer that sounds, or the reason
  // nothing can.
  struct Prepared {
    std::unique_ptr<Sequencer> sequencer;
    QString silenceReason;
  };
  // Runs on the worker thread; what it makes then belongs to `home`.
  using Preparation = std::function<Prepared(QThread *home)>;

  // The sound module from the first of `moduleFolders` holding it, the
  // best SoundFont of `soundFontFolder`, the usual audio outputs.
  static Prepared prepareFrom(const QStringList &moduleFolders,
                              const QString &soundFontFolder, QThread *home);
  // The module beside the executable or installed, the system's SoundFonts.
  static Prepared prepareUsual(QThread *home);

  explicit DeferredSequencer(Preparation preparation = prepareUsual,
                             QObject *parent = nullptr);
  // Waits for a preparation still running.
  ~DeferredSequencer() override;

  // Starts the preparation; the ready report follows once it has ended.
  // Until then the sequencer is preparing() and silent.
  void prepareInBackground();

  int outputCount() override;
  QString silenceReason() const override;
  bool preparing() const override;
  void settle() override;
  bool open(const QString &path, QString *error) override;
  void close() override;
  void play() override;
  void stop() override;
  void seekToStart() override;
  void seek(qint64 position) override;
  Mode mode() const override;
  qint64 position() const override;
  qint64 length() const override;
  qint64 milliseconds(qint64 position) const override;

 private:
  void takeResult();

  Preparation preparation_;
  std::future<Prepared> pending_;
  bool started_ = false;
  bool done_ = false;
  std::unique_ptr<Sequencer> real_;
  QString silenceReason_;
};
