// The floor of start-up: a bare Qt Widgets window the size of Varnel's,
// quitting right after its first paint.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class Window : public QWidget {
 protected:
  void paintEvent(QPaintEvent *) override {
    if (painted_) return;
    painted_ = true;
    QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  Window window;
  window.resize(640, 455);
  window.show();
  return app.exec();
}
