// Renders the application icon (SVG) as a square PNG of the given size, for the icon
// theme folders of the installed program: icon_png IN.svg SIZE OUT.png
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: icon_png IN.svg SIZE OUT.png\n");
    return 2;
  }
  const int size = QString::fromLocal8Bit(argv[2]).toInt();
  QImageReader reader(QString::fromLocal8Bit(argv[1]));
  reader.setScaledSize(QSize(size, size));
  const QImage image = reader.read();
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "icon_png: %s: %s\n", argv[1], qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}
