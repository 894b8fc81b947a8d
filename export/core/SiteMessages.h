#pragma once

#include <QStringList>

#include "base/core/Messages.h"

// What the page reader says while a site is written: kept, to be reported
// with the page it belongs to. Questions are answered No, dialogs cancelled.
class SiteMessages : public Messages {
 public:
  Answer show(const QString &text, Icon icon, Buttons) override {
    if (icon == Icon::Error || icon == Icon::Stop) failed_ = true;
    texts_.append(text);
    return Answer::No;
  }
  QString openFileName(const FileDialog &) override { return {}; }
  QString saveFileName(const FileDialog &) override { return {}; }
  bool inputBox(const QString &, const QString &, QString &) override {
    return false;
  }
  void beep() override {}

  bool failed() const { return failed_; }
  const QStringList &texts() const { return texts_; }

 private:
  bool failed_ = false;
  QStringList texts_;
};
