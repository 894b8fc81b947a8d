#pragma once

#include <QList>
#include <QStringList>

#include "base/core/Messages.h"

// Records every message, dialog and beep, and answers from a script.
// A question with no scripted answer gets Cancel (or No for Yes/No
// questions); a dialog with no scripted path is cancelled.
class ScriptedMessages : public Messages {
 public:
  struct Shown {
    QString text;
    Icon icon;
    Buttons buttons;
  };

  QList<Answer> answers;  // taken from the front, one per question
  // Taken from the front, one per file dialog; for a dialog of several
  // files, the paths separated by "\n".
  QStringList paths;
  QStringList inputs;         // taken from the front, one per input box
  QList<Shown> shown;         // every message box, in order
  QList<FileDialog> dialogs;  // every file dialog, in order
  int beeps = 0;

  Answer show(const QString &text, Icon icon, Buttons buttons) override;
  QString openFileName(const FileDialog &dialog) override;
  QString saveFileName(const FileDialog &dialog) override;
  QStringList openFileNames(const FileDialog &dialog) override;
  bool inputBox(const QString &caption, const QString &prompt,
                QString &value) override;
  void beep() override { ++beeps; }

  // The texts of all messages shown so far.
  QStringList texts() const;
  bool saw(const QString &text) const { return texts().contains(text); }
};
