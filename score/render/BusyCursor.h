#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the hourglass for as long as it lives, where there is a screen.
class BusyCursor {
 public:
  BusyCursor()
      : active_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) !=
                nullptr) {
    if (active_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~BusyCursor() {
    if (active_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor &) = delete;
  BusyCursor &operator=(const BusyCursor &) = delete;

 private:
  bool active_;
};
