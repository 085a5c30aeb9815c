#include "ui/core/artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <mutex>

// Resources compiled into a static library are only registered when asked
// for; the macro has to be used outside any namespace.
static void InitKivoResources() {
  Q_INIT_RESOURCE(kivo);
}

namespace kivo::ui {
namespace {

void EnsureResources() {
  static std::once_flag once;
  std::call_once(once, InitKivoResources);
}

QString ResourcePath(const char* folder, int id) {
  return QStringLiteral(":/%1/%2.svg").arg(QLatin1String(folder)).arg(id);
}

}  // namespace

QIcon PageIcon(int id) {
  EnsureResources();
  const QString path = ResourcePath("icons", id);
  if (!QFile::exists(path))
    return {};
  return QIcon(path);
}

QPixmap Picture(int id) {
  EnsureResources();
  QImageReader reader(ResourcePath("pictures", id));
  const QSize size = reader.size();
  if (!size.isValid())
    return {};
  const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  reader.setScaledSize(size * ratio);
  QPixmap pixmap = QPixmap::fromImage(reader.read());
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

}  // namespace kivo::ui
