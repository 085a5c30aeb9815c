#include "ui/core/artwork.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPair>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <span>

#include "model/core/bytes.h"

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

// Parsing and drawing SVG, and loading Qt's SVG support to do it, took a good
// part of start-up. So each drawing is drawn once per size and kept: in memory
// for the run, and in the user's cache folder as raw pixels for later runs,
// named after the drawing's contents so a changed drawing is drawn anew. The
// cached pixels are in this machine's byte order; only the header is fixed.
constexpr char kCacheMagic[8] = {'K', 'I', 'V', 'O', 'A', 'R', 'T', '1'};
constexpr std::size_t kCacheWidthAt = 8;
constexpr std::size_t kCacheHeightAt = 12;
constexpr std::size_t kCacheHeaderSize = 16;
// Anything larger in a cache file is not ours.
constexpr uint32_t kLargestSide = 4096;

QString CacheFolder() {
  static const QString folder = [] {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
      return QString();
    const QString path = base + QStringLiteral("/kivo/artwork");
    return QDir().mkpath(path) ? path : QString();
  }();
  return folder;
}

QImage ReadCached(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly))
    return {};
  const QByteArray data = in.readAll();
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                       static_cast<std::size_t>(data.size()));
  if (bytes.size() < kCacheHeaderSize || std::memcmp(bytes.data(), kCacheMagic, 8) != 0)
    return {};
  const uint32_t width = ReadLe32(bytes, kCacheWidthAt);
  const uint32_t height = ReadLe32(bytes, kCacheHeightAt);
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
      bytes.size() != kCacheHeaderSize + std::size_t{width} * height * 4)
    return {};
  QImage image(static_cast<int>(width), static_cast<int>(height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull())
    return {};
  const std::size_t row = std::size_t{width} * 4;
  for (uint32_t y = 0; y < height; ++y)
    std::memcpy(image.scanLine(static_cast<int>(y)), bytes.data() + kCacheHeaderSize + y * row,
                row);
  return image;
}

void WriteCached(const QString& file, const QImage& image) {
  QByteArray data(static_cast<qsizetype>(kCacheHeaderSize), '\0');
  std::memcpy(data.data(), kCacheMagic, 8);
  const std::span<uint8_t> header(reinterpret_cast<uint8_t*>(data.data()), kCacheHeaderSize);
  WriteLe32(header, kCacheWidthAt, static_cast<uint32_t>(image.width()));
  WriteLe32(header, kCacheHeightAt, static_cast<uint32_t>(image.height()));
  const qsizetype row = static_cast<qsizetype>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    data.append(reinterpret_cast<const char*>(image.constScanLine(y)), row);
  // Written whole or not at all, so a run that starts meanwhile never reads half a file.
  QSaveFile out(file);
  if (out.open(QIODevice::WriteOnly) && out.write(data) == data.size())
    out.commit();
}

}  // namespace

QImage DrawArtwork(const QString& path, QSize pixels, qreal ratio, const QString& folder) {
  QFile svg(path);
  if (!svg.open(QIODevice::ReadOnly))
    return {};
  const QByteArray source = svg.readAll();
  QString cached;
  if (!folder.isEmpty()) {
    const QString size = pixels.isEmpty()
                             ? QStringLiteral("x%1").arg(ratio)
                             : QStringLiteral("%1x%2").arg(pixels.width()).arg(pixels.height());
    const QByteArray digest =
        QCryptographicHash::hash(source, QCryptographicHash::Sha1).toHex().left(20);
    cached = QStringLiteral("%1/%2-%3.raw").arg(folder, QLatin1String(digest), size);
    QImage image = ReadCached(cached);
    if (!image.isNull() && (pixels.isEmpty() || image.size() == pixels))
      return image;
  }
  QBuffer buffer;
  buffer.setData(source);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "svg");
  QSize size = pixels;
  if (size.isEmpty()) {
    size = reader.size() * ratio;
    if (size.isEmpty())
      return {};
  }
  reader.setScaledSize(size);
  const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (!image.isNull() && !cached.isEmpty())
    WriteCached(cached, image);
  return image;
}

namespace {

// An icon drawn from its SVG only at the sizes asked for.
class ArtworkIconEngine : public QIconEngine {
 public:
  explicit ArtworkIconEngine(QString path) : path_(std::move(path)) {}

  QIconEngine* clone() const override { return new ArtworkIconEngine(*this); }
  QString key() const override { return QStringLiteral("KivoArtwork"); }

  // The icons are square.
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QSize square = actualSize(size, mode, state);
    if (square.isEmpty())
      return {};
    const QPair<int, int> key(square.width(), static_cast<int>(mode));
    if (auto found = pixmaps_.constFind(key); found != pixmaps_.constEnd())
      return *found;
    QPixmap drawn;
    if (mode == QIcon::Disabled) {
      // Greyed as the style greys any other icon.
      const QPixmap normal = pixmap(square, QIcon::Normal, state);
      QStyleOption option;
      option.palette = QGuiApplication::palette();
      drawn = QApplication::style() != nullptr
                  ? QApplication::style()->generatedIconPixmap(mode, normal, &option)
                  : normal;
    } else {
      drawn = QPixmap::fromImage(DrawArtwork(path_, square, 1.0, CacheFolder()));
    }
    pixmaps_.insert(key, drawn);
    return drawn;
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    (void)scale;  // `size` is already in device pixels
    return pixmap(size, mode, state);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap drawn = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
    drawn.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, drawn);
  }

 private:
  QString path_;
  QHash<QPair<int, int>, QPixmap> pixmaps_;
};

// What has been drawn this run. It belongs to the application: pixmaps must
// not outlive it.
class ArtworkCache : public QObject {
 public:
  using QObject::QObject;

  static ArtworkCache* Get() {
    static QPointer<ArtworkCache> cache;
    if (cache.isNull() && qGuiApp != nullptr)
      cache = new ArtworkCache(qGuiApp);
    return cache.data();
  }

  QHash<int, QIcon> icons;
  QHash<QPair<int, qreal>, QPixmap> pictures;
};

}  // namespace

QIcon PageIcon(int id) {
  ArtworkCache* cache = ArtworkCache::Get();
  if (cache != nullptr) {
    if (auto found = cache->icons.constFind(id); found != cache->icons.constEnd())
      return *found;
  }
  EnsureResources();
  const QString path = ResourcePath("icons", id);
  QIcon icon;
  if (QFile::exists(path))
    icon = QIcon(new ArtworkIconEngine(path));
  if (cache != nullptr)
    cache->icons.insert(id, icon);
  return icon;
}

QPixmap Picture(int id) {
  const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  ArtworkCache* cache = ArtworkCache::Get();
  const QPair<int, qreal> key(id, ratio);
  if (cache != nullptr) {
    if (auto found = cache->pictures.constFind(key); found != cache->pictures.constEnd())
      return *found;
  }
  EnsureResources();
  QPixmap pixmap =
      QPixmap::fromImage(DrawArtwork(ResourcePath("pictures", id), QSize(), ratio, CacheFolder()));
  if (!pixmap.isNull())
    pixmap.setDevicePixelRatio(ratio);
  if (cache != nullptr)
    cache->pictures.insert(key, pixmap);
  return pixmap;
}

}  // namespace kivo::ui
