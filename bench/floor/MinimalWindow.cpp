// The floor of start-up: a bare Qt main window the size of Varnel's that
// paints one line of Japanese in IPA Mincho, named directly, and quits
// right after its first paint. "--plain" leaves the text out, which shows
// the price of the font alone.
#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace {

class Line : public QWidget {
 public:
  explicit Line(bool withText) : withText_(withText) {}

 protected:
  void paintEvent(QPaintEvent *) override {
    if (withText_) {
      QPainter painter(this);
      QFont font(QStringLiteral("IPAMincho"));
      font.setPixelSize(12);
      painter.setFont(font);
      painter.drawText(
          8, 24, QStringLiteral("はじめに　楽譜の読み方を学びましょう。"));
    }
    if (painted_) return;
    painted_ = true;
    QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
  }

 private:
  bool withText_;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const bool plain = argc > 1 && std::strcmp(argv[1], "--plain") == 0;
  QMainWindow window;
  window.setCentralWidget(new Line(!plain));
  window.resize(640, 455);
  window.show();
  return app.exec();
}
