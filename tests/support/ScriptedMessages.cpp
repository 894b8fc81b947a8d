#include "support/ScriptedMessages.h"

Messages::Answer ScriptedMessages::show(const QString &text, Icon icon,
                                        Buttons buttons) {
  shown.append({text, icon, buttons});
  if (buttons == Buttons::Ok) return Answer::Ok;
  if (!answers.isEmpty()) return answers.takeFirst();
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

QString ScriptedMessages::openFileName(const FileDialog &dialog) {
  dialogs.append(dialog);
  return paths.isEmpty() ? QString() : paths.takeFirst();
}

QStringList ScriptedMessages::openFileNames(const FileDialog &dialog) {
  const QString chosen = openFileName(dialog);
  return chosen.isEmpty() ? QStringList() : chosen.split('\n');
}

QString ScriptedMessages::saveFileName(const FileDialog &dialog) {
  dialogs.append(dialog);
  return paths.isEmpty() ? QString() : paths.takeFirst();
}

bool ScriptedMessages::inputBox(const QString &, const QString &,
                                QString &value) {
  if (inputs.isEmpty()) return false;
  value = inputs.takeFirst();
  return true;
}

QStringList ScriptedMessages::texts() const {
  QStringList all;
  for (const Shown &s : shown) all << s.text;
  return all;
}
