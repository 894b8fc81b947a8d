// Preloaded (LD_PRELOAD) into a Qt Widgets program that cannot be told to
// quit after its first paint, such as an older Varnel, so that its start-up
// is measured as the floor's is.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdlib>

namespace {

class Watch : public QObject {
 public:
  bool eventFilter(QObject *object, QEvent *event) override {
    if (event->type() == QEvent::Paint && object->isWidgetType()) {
      QCoreApplication::instance()->removeEventFilter(this);
      QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
    }
    return false;
  }
};

void install() { qApp->installEventFilter(new Watch); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
