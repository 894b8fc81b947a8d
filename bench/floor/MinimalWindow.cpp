// The floor of start-up: a bare Qt Widgets window the size of Varnel's,
// quitting right after its first paint. Given a text, it paints that one
// line too, so that the price of fonts alone can be seen.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class Window : public QWidget {
 public:
  explicit Window(const QString &text) : text_(text) {}

 protected:
  void paintEvent(QPaintEvent *) override {
    if (!text_.isEmpty()) QPainter(this).drawText(8, 24, text_);
    if (painted_) return;
    painted_ = true;
    QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
  }

 private:
  QString text_;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  Window window(argc > 1 ? QString::fromUtf8(argv[1]) : QString());
  window.resize(640, 455);
  window.show();
  return app.exec();
}
