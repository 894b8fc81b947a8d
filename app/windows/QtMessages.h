#pragma once

#include <QWidget>

#include "base/core/Messages.h"

// Real message boxes and dialogs, with the caption "Varnel".
class QtMessages : public Messages {
 public:
  void setParentWindow(QWidget *parent) { parent_ = parent; }

  Answer show(const QString &text, Icon icon, Buttons buttons) override;
  QString openFileName(const FileDialog &dialog) override;
  QString saveFileName(const FileDialog &dialog) override;
  QStringList openFileNames(const FileDialog &dialog) override;
  bool inputBox(const QString &caption, const QString &prompt,
                QString &value) override;
  void beep() override;

  // "desc|pattern|desc|pattern" as Qt's "desc (patterns);;..." filter.
  static QString qtFilter(const QString &pipeFilter);
  // Gives Qt's own dialogs and buttons their Japanese texts; false when the
  // translation is not installed.
  static bool installJapaneseQtTexts();

 private:
  QWidget *parent_ = nullptr;
};
