#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a program run without a display gave back.
struct ProgramRun {
  int status;
  QString out;
  QString err;
};

// Runs `program` as a user would from a console without a display.
inline ProgramRun runWithoutDisplay(const QString &program,
                                    const QStringList &arguments) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process.setProcessEnvironment(env);
  process.start(program, arguments);
  process.waitForFinished(60000);
  return {process.exitCode(),
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

#ifdef VARNEL_EXECUTABLE
// The real program.
inline ProgramRun runVarnel(const QStringList &arguments) {
  return runWithoutDisplay(QStringLiteral(VARNEL_EXECUTABLE), arguments);
}
#endif
