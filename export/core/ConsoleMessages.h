#pragma once

#include "base/core/Messages.h"

// Messages for the command line: every message is printed on standard
// error; questions are answered No and dialogs cancelled.
class ConsoleMessages : public Messages {
 public:
  Answer show(const QString &text, Icon icon, Buttons buttons) override;
  QString openFileName(const FileDialog &) override { return {}; }
  QString saveFileName(const FileDialog &) override { return {}; }
  bool inputBox(const QString &, const QString &, QString &) override {
    return false;
  }
  void beep() override {}

  // True once an error (not a warning or a question) has been shown.
  bool failed() const { return failed_; }

 private:
  bool failed_ = false;
};
