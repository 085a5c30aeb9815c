// Draws an SVG icon as a square PNG of a given size, for the icon theme's
// fixed sizes: icon_png IN.svg SIZE OUT.png

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: icon_png IN.svg SIZE OUT.png\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int size = QString::fromLocal8Bit(argv[2]).toInt();
  QImageReader reader(QString::fromLocal8Bit(argv[1]));
  reader.setScaledSize(QSize(size, size));
  const QImage image = reader.read();
  if (size <= 0 || image.isNull()) {
    std::fprintf(stderr, "icon_png: cannot draw %s at %s: %s\n", argv[1], argv[2],
                 qPrintable(reader.errorString()));
    return 1;
  }
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
