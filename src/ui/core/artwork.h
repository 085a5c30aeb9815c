#pragma once
// The program's own icons and pictures, looked up by their resource ids.

#include <QIcon>
#include <QPixmap>
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

}  // namespace kivo::ui
