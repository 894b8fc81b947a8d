#pragma once

#include <QString>

// The player of a page's MIDI file, as the rest of the program sees it.
class PagePlayer {
 public:
  enum class Mode { NotReady, Stopped, Playing, Other };

  virtual ~PagePlayer() = default;
  // True when the system has somewhere to play MIDI to.
  virtual bool outputPresent() = 0;
  virtual QString fileName() const = 0;
  virtual void setFileName(const QString &path) = 0;
  // Opens the file named by fileName(); false (with a reason) on failure.
  virtual bool open(QString *error) = 0;
  virtual void close() = 0;
  virtual Mode mode() const = 0;
};

// A player with no output: files can be assigned, nothing ever sounds.
class SilentPlayer : public PagePlayer {
 public:
  bool outputPresent() override { return false; }
  QString fileName() const override { return fileName_; }
  void setFileName(const QString &path) override { fileName_ = path; }
  bool open(QString *) override { return true; }
  void close() override {}
  Mode mode() const override {
    return fileName_.isEmpty() ? Mode::NotReady : Mode::Stopped;
  }

 private:
  QString fileName_;
};
