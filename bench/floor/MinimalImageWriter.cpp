// The floor of "varnel --render": a bare Qt Gui program that fills an
// image the size of a page, draws five lines and one line of Japanese in
// IPA Mincho, and writes it as PNG.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  if (argc != 4) return 2;
  QImage image(atoi(argv[2]), atoi(argv[3]), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    for (int line = 0; line < 5; ++line)
      painter.drawLine(0, 40 + 8 * line, image.width(), 40 + 8 * line);
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(8, 24,
                     QStringLiteral("はじめに　楽譜の読み方を学びましょう。"));
  }
  return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
