#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <vector>

#include "demo/image_builder.h"
#include "model/core/settings.h"
#include "model/gfx/battle_palettes.h"
#include "ui/core/edit_history.h"
#include "ui/gfx/colour_grid.h"
#include "ui/gfx/custom_colours_dialog.h"
#include "ui/gfx/palette_grid.h"
#include "ui/gfx/palettes_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/gfx/swatch_row.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using test::DistinctPalette;
using test::Find;
using test::PaintedAt;
using test::UiTest;

void Press(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
           QEvent::Type type = QEvent::MouseButtonPress) {
  QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, button,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

int ClickOk(QDialog& dialog) {
  Find<QPushButton>(dialog, ui::kDialogOk)->click();
  return ui::kDialogOk;
}

// Which pixels pick which colour or palette: PickerGeometry (battle_palettes_test).
TEST_F(UiTest, SelectColourPicksFromTheGrid) {
  const MasterPalette palette = DistinctPalette();
  prompts->modalScripts.push_back([&](QDialog& dialog) {
    auto* grid = dialog.findChild<ui::ColourGrid*>();
    const QPoint current = grid->currentSwatchRect().center();
    EXPECT_EQ(PaintedAt(*grid, 8 + 16 * 5, 40 + 16 * 2), palette.Argb(0x25));
    Press(*grid, {263, 103});
    EXPECT_EQ(PaintedAt(*grid, current.x(), current.y()), palette.Argb(0x3F));
    Press(*grid, {24, 40}, Qt::RightButton);
    EXPECT_EQ(grid->current(), 0x3F);
    return ClickOk(dialog);
  });
  EXPECT_EQ(ui::SelectColour(nullptr, palette, 0x21), std::optional<uint8_t>(0x3F));

  // Escape or the close box: nothing, whatever was picked.
  prompts->modalScripts.push_back([](QDialog& dialog) {
    Press(*dialog.findChild<ui::ColourGrid*>(), {8, 40});
    return ui::kDialogCancel;
  });
  EXPECT_EQ(ui::SelectColour(nullptr, palette, 0x21), std::nullopt);

  // OK without a pick gives back the stored byte as it is, even above 0x3F,
  // and shows it masked.
  prompts->modalScripts.push_back([&](QDialog& dialog) {
    auto* grid = dialog.findChild<ui::ColourGrid*>();
    const QPoint swatch = grid->currentSwatchRect().center();
    EXPECT_EQ(PaintedAt(*grid, swatch.x(), swatch.y()), palette.Argb(0x05));
    return ClickOk(dialog);
  });
  EXPECT_EQ(ui::SelectColour(nullptr, palette, 0x45), std::optional<uint8_t>(0x45));
}

TEST_F(UiTest, BattlePaletteSwatchPickIsOneStepAtOnce) {
  ImageBuilder image = ImageBuilder::Combination();
  image.Bytes(0x1810 + 5, {0x16});
  RomDocument document;
  document.Adopt(image.Build(), "game.nes");
  ui::EditHistory history(document);
  const MasterPalette palette = DistinctPalette();
  const ui::PageContext context{.document = &document, .palette = &palette, .edits = &history};
  ui::Page page;
  const auto pick = [](bool ok) {
    return [ok](QDialog& dialog) {
      auto* grid = dialog.findChild<ui::ColourGrid*>();
      EXPECT_EQ(grid->current(), 0x16);  // opened with the stored colour
      Press(*grid, {8 + 16 * 0x0A + 3, 40 + 16 * 2 + 3});
      return ok ? ClickOk(dialog) : ui::kDialogCancel;
    };
  };
  const auto stored = [&document] { return std::as_const(document).view().Byte(0x1810 + 5); };
  prompts->modalScripts.push_back(pick(false));
  EXPECT_FALSE(ui::PickBattlePaletteColour(page, context, {}, 5, 2));
  EXPECT_EQ(stored(), 0x16);

  prompts->modalScripts.push_back(pick(true));
  EXPECT_TRUE(ui::PickBattlePaletteColour(page, context, {}, 5, 2));
  EXPECT_EQ(stored(), 0x2A);
  EXPECT_EQ(history.stack().undoText(), "Change palette 0x05");
  history.stack().undo();
  EXPECT_EQ(stored(), 0x16);

  // No fourth colour: no dialog, no step.
  prompts->modalScripts.push_back(pick(true));
  EXPECT_FALSE(ui::PickBattlePaletteColour(page, context, {}, 5, 3));
  EXPECT_EQ(prompts->modalScripts.size(), 1u);
  EXPECT_FALSE(history.stack().canUndo());
}

TEST_F(UiTest, PalettesPicksAPaletteButNotAGap) {
  const MasterPalette palette = DistinctPalette();
  ImageBuilder image = ImageBuilder::Combination();
  for (int p = 0; p < kBattlePaletteCount; ++p) {
    for (int k = 0; k < 3; ++k)
      image.Byte(0x1710 + 0x80 * k + p, static_cast<uint8_t>((p + 20 * k) & 0x3F));
  }
  image.Byte(0x1790 + 0x25, 0x7E);  // masked to 0x3E for display
  const ConstRomView rom = image.view();
  const auto shown = [](QDialog& dialog, int id) { return Find<QLineEdit>(dialog, id)->text(); };

  prompts->modalScripts.push_back([&](QDialog& dialog) {
    auto* grid = dialog.findChild<ui::PaletteGrid*>();
    const QRect original = grid->originalSwatches();
    // Palette 0x25's middle colour, in group 2, row 5, is masked.
    EXPECT_EQ(PaintedAt(*grid, 24 + 128 + 16, 60 + 80), palette.Argb(0x3E));

    Press(*grid, {24 + 64 * 2 + 16, 60 + 16 * 5});
    EXPECT_EQ(shown(dialog, 1281), QStringLiteral("25"));
    EXPECT_EQ(shown(dialog, 1280), QStringLiteral("12"));
    Press(*grid, {24 + 48, 60});  // a gap
    Press(*grid, original.center());
    EXPECT_EQ(grid->current(), 0x25);
    Press(*grid, {24 + 64 * 7 + 40, 60 + 16 * 15 + 1});
    EXPECT_EQ(shown(dialog, 1281), QStringLiteral("7F"));
    return ClickOk(dialog);
  });
  EXPECT_EQ(ui::ChooseBattlePalette(nullptr, rom, palette, 0x12), std::optional<uint8_t>(0x7F));

  prompts->modalScripts.push_back([](QDialog& dialog) {
    Press(*dialog.findChild<ui::PaletteGrid*>(), {24 + 64 * 2 + 16, 60 + 16 * 5});
    Find<QPushButton>(dialog, ui::kDialogCancel)->click();
    return ui::kDialogOk;  // the button's result wins
  });
  EXPECT_EQ(ui::ChooseBattlePalette(nullptr, rom, palette, 0x12), std::nullopt);

  // A stored number past the table: shown as stored, and given back
  // unchanged when nothing is picked.
  prompts->modalScripts.push_back([&](QDialog& dialog) {
    EXPECT_EQ(shown(dialog, 1280), QStringLiteral("93"));
    return ClickOk(dialog);
  });
  EXPECT_EQ(ui::ChooseBattlePalette(nullptr, rom, palette, 0x93), std::optional<uint8_t>(0x93));
}

TEST_F(UiTest, SwatchRowShowsAndReportsColours) {
  const MasterPalette palette = DistinctPalette();
  ImageBuilder image = ImageBuilder::Combination();
  image.Byte(0x1710 + 0x40, 0x01).Byte(0x1790 + 0x40, 0x42).Byte(0x1810 + 0x40, 0x03);

  ui::SwatchRow row;
  row.resize(row.sizeHint());
  std::vector<int> clicked, doubled;
  QObject::connect(&row, &ui::SwatchRow::swatchClicked, [&](int k) { clicked.push_back(k); });
  QObject::connect(&row, &ui::SwatchRow::swatchDoubleClicked, [&](int k) { doubled.push_back(k); });
  row.SetMasterPalette(&palette);
  row.ShowBattlePalette(image.view(), 0x40);
  EXPECT_EQ(row.colours(), (std::vector<uint8_t>{0x01, 0x42, 0x03}));
  EXPECT_EQ(PaintedAt(row, 31, 15), palette.Argb(0x02));
  Press(row, {47, 15});
  Press(row, {20, 8}, Qt::RightButton);
  Press(row, {2, 2}, Qt::LeftButton, QEvent::MouseButtonDblClick);
  EXPECT_EQ(clicked, (std::vector<int>{2}));
  EXPECT_EQ(doubled, (std::vector<int>{0}));

  // Blank (a weapon without a palette): clicks ignored.
  row.Clear();
  Press(row, {8, 8});
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(UiTest, CustomColoursStoreOnEntryChangeAndOk) {
  SettingsBlock settings;
  settings.ResetToDefaults();
  const Rgb grid = settings.CustomColour(3);

  // Left click (row 0) is shown first.
  prompts->modalScripts.push_back([&](QDialog& dialog) {
    auto* list = Find<QListWidget>(dialog, 1526);
    QSlider* red = Find<QSlider>(dialog, 1523);
    QSlider* green = Find<QSlider>(dialog, 1524);
    QSlider* blue = Find<QSlider>(dialog, 1525);
    list->setCurrentRow(3);  // Grid
    red->setValue(200);
    EXPECT_EQ(settings.CustomColour(3), grid);  // not yet stored
    list->setCurrentRow(0);                     // Left click: Grid stored
    EXPECT_EQ(settings.CustomColour(3), (Rgb{200, 0x00, 0xFF}));
    EXPECT_EQ(red->value(), 0xFF);
    green->setValue(77);
    list->setCurrentRow(3);
    EXPECT_EQ(settings.CustomColour(0), (Rgb{0xFF, 77, 0x00}));

    blue->setValue(10);  // never stored: the dialog is cancelled
    return ui::kDialogCancel;
  });
  EXPECT_FALSE(ui::CustomiseColours(nullptr, settings));
  EXPECT_EQ(settings.CustomColour(3), (Rgb{200, 0x00, 0xFF}));
  EXPECT_EQ(settings.CustomColour(0), (Rgb{0xFF, 77, 0x00}));

  // OK stores the entry being edited; the others stay as they were.
  prompts->modalScripts.push_back([&](QDialog& dialog) {
    Find<QListWidget>(dialog, 1526)->setCurrentRow(2);
    Find<QSlider>(dialog, 1525)->setValue(33);
    return ClickOk(dialog);
  });
  const Rgb rightClick = settings.CustomColour(1);
  EXPECT_TRUE(ui::CustomiseColours(nullptr, settings));
  EXPECT_EQ(settings.CustomColour(2), (Rgb{0x00, 0xFF, 33}));
  EXPECT_EQ(settings.CustomColour(1), rightClick);
}

}  // namespace
}  // namespace kivo
