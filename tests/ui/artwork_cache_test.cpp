// Artwork is drawn from SVG once and kept as raw pixels in a cache folder for
// later runs. A kept drawing must never stand in for a different or changed
// drawing, and a damaged cache file must never show.

#include <QDir>
#include <QImage>
#include <cstring>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "ui/core/artwork.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

std::string Box(const char* fill) {
  return std::string(
             R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="20" viewBox="0 0 40 20">)") +
         R"(<rect x="0" y="0" width="20" height="20" fill=")" + fill + R"("/></svg>)";
}

TEST(ArtworkCache, KeptDrawingsAreReusedOnlyWhileTheyAreWholeAndCurrent) {
  test::TempDir dir;
  const QString cache = QString::fromStdString(dir.File("cache"));
  ASSERT_TRUE(QDir().mkpath(cache));
  const QString svg = QString::fromStdString(dir.Write("box.svg", Box("#ff0000")));

  // Drawn at its own size times the ratio, and kept.
  const QImage drawn = ui::DrawArtwork(svg, QSize(), 2.0, cache);
  ASSERT_EQ(drawn.size(), QSize(80, 40));
  EXPECT_EQ(drawn.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(drawn.pixel(70, 10)), 0);
  const QStringList kept = QDir(cache).entryList(QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  const std::string file = "cache/" + kept.front().toStdString();

  // A later draw reads the kept pixels instead of drawing again.
  std::vector<uint8_t> bytes = test::TempDir::Read(dir.File(file));
  const uint32_t blue = qRgb(0, 0, 255);
  std::memcpy(bytes.data() + bytes.size() - 4, &blue, 4);
  dir.Write(file, bytes);
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(), 2.0, cache).pixel(79, 39), blue);

  // A cut-short file is drawn again, and made whole.
  dir.Write(file, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100));
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(), 2.0, cache), drawn);
  EXPECT_EQ(test::TempDir::Read(dir.File(file)).size(), bytes.size());

  // A changed drawing is never answered with the old one; other sizes are kept apart.
  dir.Write("box.svg", Box("#00ff00"));
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(), 2.0, cache).pixel(10, 10), qRgb(0, 255, 0));
  const QImage icon = ui::DrawArtwork(svg, QSize(16, 16), 1.0, cache);
  EXPECT_EQ(icon.size(), QSize(16, 16));
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(16, 16), 1.0, cache), icon);

  // No cache, or one that cannot be written: drawn all the same.
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(), 1.0, QString()).size(), QSize(40, 20));
  EXPECT_EQ(ui::DrawArtwork(svg, QSize(), 1.0, cache + QStringLiteral("/missing/folder")).size(),
            QSize(40, 20));
  EXPECT_TRUE(ui::DrawArtwork(cache + QStringLiteral("/none.svg"), QSize(), 1.0, cache).isNull());
}

}  // namespace
}  // namespace kivo
