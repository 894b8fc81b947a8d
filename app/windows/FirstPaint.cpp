#include "app/windows/FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget &window, std::function<void()> then)
      : QObject(&window), window_(window), then_(std::move(then)) {}

  bool eventFilter(QObject *object, QEvent *event) override {
    if (event->type() != QEvent::Paint || !object->isWidgetType() ||
        static_cast<QWidget *>(object)->window() != &window_)
      return false;
    QCoreApplication::instance()->removeEventFilter(this);
    // The paint in progress is flushed to the screen before a zero timer
    // fires.
    QTimer::singleShot(0, &window_, [then = std::move(then_)] { then(); });
    deleteLater();
    return false;
  }

 private:
  QWidget &window_;
  std::function<void()> then_;
};

}  // namespace

void afterFirstPaint(QWidget &window, std::function<void()> then) {
  QCoreApplication::instance()->installEventFilter(
      new FirstPaintWatch(window, std::move(then)));
}

bool quitAfterFirstPaintWanted() {
  return qEnvironmentVariableIntValue("VARNEL_QUIT_AFTER_FIRST_PAINT") == 1;
}
