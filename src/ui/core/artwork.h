#pragma once
// The program's own icons and pictures, looked up by their resource ids.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <array>

namespace kivo::ui {

// Tab and window icons: Main, Character, Equipment, Formation, Maps, Monster,
// Shop, Spells, Text.
inline constexpr std::array<int, 9> kPageIconIds = {106, 129, 131, 134, 140, 130, 133, 141, 132};
// 101 Game Boy Advance compilation (About), 102 Game Boy Advance (Main page),
// 103 the game (About), 104 the game (Main page), 105 an unknown image.
inline constexpr std::array<int, 5> kPictureIds = {101, 102, 103, 104, 105};

// A null icon or pixmap for an id the program does not have.
QIcon PageIcon(int id);
// Drawn sharp for the screen's pixel ratio.
QPixmap Picture(int id);

// The SVG drawing at `path` drawn at `pixels`, or at its own size times
// `ratio` when `pixels` is empty; a null image when it cannot be read. When
// `cacheFolder` is not empty the result is read from there if it was drawn
// before, and kept there otherwise. Icons and pictures are drawn by it.
QImage DrawArtwork(const QString& path, QSize pixels, qreal ratio, const QString& cacheFolder);

}  // namespace kivo::ui
