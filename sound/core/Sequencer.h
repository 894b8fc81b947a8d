#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

// The MIDI sequencer the page's player drives: one standard MIDI file at a
// time, played in the background. Every call but play waits until it is
// done; play returns at once, and the end report follows when the piece
// ends or a stop, a seek to the start or a close interrupts it.
class Sequencer {
 public:
  enum class Mode { NotReady, Stopped, Playing, Other };

  virtual ~Sequencer() = default;

  // How many outputs can sound; 0 when nothing can be heard (yet: while
  // preparing() the answer may change, and the ready report says when).
  virtual int outputCount() = 0;
  // Why nothing can be heard, worded for the user; empty when something
  // can, or when the sequencer has no words for it.
  virtual QString silenceReason() const { return {}; }
  // True while the outputs are still being made ready.
  virtual bool preparing() const { return false; }
  // Waits for the preparation to end; its ready report comes from within.
  virtual void settle() {}
  // Opens a standard MIDI file, closing whatever was open first. On success
  // the piece is at its start and stopped; on failure the reason is put in
  // `error` (empty when the sequencer has no words for it).
  virtual bool open(const QString &path, QString *error) = 0;
  // Releases the open piece, ending a play in progress; nothing when none
  // is open. An end report may still follow.
  virtual void close() = 0;
  // Plays from the current position to the end, without waiting.
  virtual void play() = 0;
  // Stops where the piece is: a later play goes on from there.
  virtual void stop() = 0;
  // Back to the start; a play in progress stops there.
  virtual void seekToStart() = 0;
  // To `position`, kept within the piece; a play in progress stops there,
  // as with seekToStart. At the length, the next play starts over.
  virtual void seek(qint64 position) = 0;
  // NotReady while nothing is open.
  virtual Mode mode() const = 0;
  // Where the piece is and how long it is, in the sequencer's own units.
  virtual qint64 position() const = 0;
  virtual qint64 length() const = 0;
  // How long the piece takes from its start to `position`, in
  // milliseconds.
  virtual qint64 milliseconds(qint64 position) const = 0;

  // The end report is delivered on the program's own thread, as an event
  // of its own: never from inside one of the calls above.
  void setEndReport(std::function<void()> report) {
    endReport_ = std::move(report);
  }
  // The ready report comes once the preparation has ended, on the
  // program's own thread, whether or not anything can sound.
  void setReadyReport(std::function<void()> report) {
    readyReport_ = std::move(report);
  }

 protected:
  void reportEnd() {
    if (endReport_) endReport_();
  }
  void reportReady() {
    if (readyReport_) readyReport_();
  }

 private:
  std::function<void()> endReport_;
  std::function<void()> readyReport_;
};
