#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "demo/image_builder.h"
#include "model/core/rom_document.h"
#include "model/core/settings.h"
#include "model/gfx/metatiles.h"
#include "model/gfx/palette.h"
#include "ui/gfx/colour_grid.h"
#include "ui/map/encounter_domains_dialog.h"
#include "ui/map/tile_editor_areas.h"
#include "ui/map/tile_editor_dialog.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

using demo::ImageBuilder;
using test::DistinctPalette;
using test::Find;
using test::PaintedAt;
using test::UiTest;

constexpr int kMetatile = 5;
constexpr uint8_t kQuarterTile = 0x41;  // top-left quarter of the metatile

std::vector<uint8_t> ImageBytes(const RomDocument& document) {
  return {document.image().begin(), document.image().end()};
}

// World palette bytes 0x20 + i, metatile 5 in sub-palette 1 with tile 0x41
// top-left: row 0 is colour 1 then colour 0, row 1 colour 2, the rest 0.
ImageBuilder TileImage(ImageBuilder image) {
  for (std::size_t i = 0; i < kWorldPaletteSize; ++i)
    image.Byte(kWorldPaletteOffset + i, static_cast<uint8_t>(0x20 + i));
  image.Byte(kMetatileAttributesOffset + kMetatile, 0x55);
  image.Byte(kMetatileTilesOffset + kMetatile, kQuarterTile);
  image.Byte(kMetatileTilesOffset + 3 * kMetatileCount + kMetatile, 0x07);
  const std::size_t tile = kWorldTilesOffset + kTileBytes * kQuarterTile;
  image.Byte(tile, 0xF0).Byte(tile + 9, 0xFF);
  return image;
}

void Press(QWidget& widget, QPoint at) {
  QTest::mousePress(&widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
}

// As a user's double click arrives: a first click, then the double click.
void DoubleClick(QWidget& widget, QPoint at) {
  Press(widget, at);
  QTest::mouseDClick(&widget, Qt::LeftButton, {}, at);
}

struct TileEditorFixture {
  explicit TileEditorFixture(ImageBuilder image) {
    document.Adopt(TileImage(std::move(image)).Build(), "tiles.nes");
    settings.ResetToDefaults();
    set = MetatileSet::Read(document.view());
    tileBytes = ReadWorldTiles(document.view());
  }
  std::unique_ptr<ui::TileEditorDialog> Open() {
    return std::make_unique<ui::TileEditorDialog>(document, palette, settings, tileBytes, set,
                                                  kMetatile, nullptr);
  }
  uint8_t Rom(std::size_t offset) { return document.view().Byte(offset); }

  RomDocument document;
  MasterPalette palette = DistinctPalette();
  SettingsBlock settings;
  MetatileSet set;
  std::vector<uint8_t> tileBytes;
};

template <typename W>
W& Area(QWidget& dialog) {
  auto* area = dialog.findChild<W*>();
  EXPECT_NE(area, nullptr);
  return *area;
}

// The dialog tests below click inside the areas; past their edges nothing is hit.
TEST(TileEditorGeometry, ClicksLandOnTheDocumentedCells) {
  EXPECT_EQ(ui::RawCellAt(256, 0), ui::kNoCell);
  // Rows reach two pixels into the next; the later row wins.
  EXPECT_EQ(ui::PaletteRowAt(0, 17), 1);
  EXPECT_FALSE(ui::PaletteSwatchAt(80, 0));
}

// Quarter 3, tile 0x23 for it, and colour 0 of sub-palette 2 from the colour
// picker the test answers.
void EditQuarterTileAndColour(ui::TileEditorDialog& dialog) {
  Press(Area<ui::QuarterArea>(dialog), {20, 20});
  Press(Area<ui::RawSheetArea>(dialog), {3 * 16 + 5, 2 * 16 + 5});
  DoubleClick(Area<ui::PaletteRowsArea>(dialog), {16 + 3, 16 * 2 + 3});
}

TEST_F(UiTest, TileEditorWritesOnOkOnly) {
  const auto pickBlack = [](QDialog& picker) {
    Press(*picker.findChild<ui::ColourGrid*>(), {8 + 16 * 0x0F + 1, 41});
    Find<QPushButton>(picker, ui::kDialogOk)->click();
    return ui::kDialogOk;
  };
  for (ImageBuilder base : {ImageBuilder::Standalone(), ImageBuilder::Combination()}) {
    TileEditorFixture f(std::move(base));
    const std::vector<uint8_t> image = ImageBytes(f.document);
    const MetatileSet set = f.set;
    const std::vector<uint8_t> tiles = f.tileBytes;

    // Every kind of edit, then Cancel: nothing anywhere changes.
    auto dialog = f.Open();
    EXPECT_EQ(dialog->subPalette(), 1);
    // The chosen tile is outlined in the "Left click" colour.
    const Rgb left = f.settings.CustomColour(0);
    EXPECT_EQ(PaintedAt(Area<ui::RawSheetArea>(*dialog), 16 * 1, 16 * 4 + 8),
              OpaqueArgb(left.red, left.green, left.blue));

    prompts->modalScripts.push_back(pickBlack);
    EditQuarterTileAndColour(*dialog);
    EXPECT_EQ(dialog->workingSet().Tile(kMetatile, Quarter::BottomRight), 0x23);
    EXPECT_EQ(dialog->workingPalette()[4], 0x0F);
    EXPECT_EQ(dialog->subPalette(), 2);  // the press before the double click picks the row
    Find<QPushButton>(*dialog, ui::kDialogCancel)->click();
    EXPECT_TRUE(std::ranges::equal(f.document.image(), image));
    EXPECT_EQ(f.set, set);
    EXPECT_EQ(f.tileBytes, tiles);

    // The same edits with sub-palette 3, then OK.
    dialog = f.Open();
    prompts->modalScripts.push_back(pickBlack);
    EditQuarterTileAndColour(*dialog);
    Press(Area<ui::PaletteRowsArea>(*dialog), {0, 16 * 3 + 17});
    Find<QPushButton>(*dialog, ui::kDialogOk)->click();
    f.document.Apply([&](const RomView& rom) { dialog->WriteTo(rom); });
    for (std::size_t k = 0; k < kWorldPaletteSize; ++k)
      EXPECT_EQ(f.Rom(kWorldPaletteOffset + k), k % 4 == 0 ? 0x0F : 0x20 + k) << k;
    EXPECT_EQ(f.Rom(kMetatileAttributesOffset + kMetatile), 0xFF);
    EXPECT_EQ(f.set.Tile(kMetatile, Quarter::BottomRight), 0x23);
    EXPECT_EQ(f.set.attributes[kMetatile], 0xFF);
    // Tile numbers and tile bytes reach the image through the page, not here.
    EXPECT_EQ(f.Rom(kMetatileTilesOffset + 3 * kMetatileCount + kMetatile), 0x07);
    EXPECT_EQ(f.tileBytes, tiles);
  }
}

TEST_F(UiTest, TileEditorInvertSwapsTwoColoursOfTheChosenTile) {
  TileEditorFixture f(ImageBuilder::Combination());
  const std::vector<uint8_t> tiles = f.tileBytes;
  auto dialog = f.Open();
  auto& closeUp = Area<ui::CloseUpArea>(*dialog);
  const auto pixel = [](int column, int row) { return QPoint(16 * column + 8, 16 * row + 8); };
  EXPECT_EQ(PaintedAt(closeUp, 8, 8), f.palette.Argb(0x25));  // colour 1 of sub-palette 1

  // Outside Invert mode a close-up click only repaints.
  Press(closeUp, pixel(0, 0));
  Press(closeUp, pixel(0, 1));
  EXPECT_EQ(dialog->workingTileBytes(), tiles);

  auto* invert = Find<QPushButton>(*dialog, 1680);
  invert->click();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("Select the two colors you wish to swap."));

  // Colour 1 with colour 2: rows 0 and 1 trade their colours.
  const std::size_t at = kTileBytes * kQuarterTile;
  Press(closeUp, pixel(3, 0));
  Press(closeUp, pixel(0, 1));
  std::vector<uint8_t> expected = tiles;
  expected[at] = 0x00;
  expected[at + 1] = 0xFF;
  expected[at + 8] = 0xF0;
  expected[at + 9] = 0x00;
  EXPECT_EQ(dialog->workingTileBytes(), expected);
  EXPECT_EQ(f.tileBytes, tiles);

  // The same colour twice is refused and both picks are cleared.
  Press(closeUp, pixel(0, 0));
  Press(closeUp, pixel(1, 0));
  ASSERT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(prompts->messages[1].text,
            QStringLiteral("Cannot invert with the both colors being the same!"));
  EXPECT_EQ(dialog->workingTileBytes(), expected);

  Find<QPushButton>(*dialog, ui::kDialogOk)->click();
  EXPECT_EQ(f.tileBytes, expected);
}

struct DomainsFixture {
  DomainsFixture() {
    ImageBuilder image = ImageBuilder::Combination();
    for (int d = 0; d < kDomainCount; ++d) {
      image.Byte(kDomainTableOffset + d, static_cast<uint8_t>(d));
      image.Byte(kMysidiaDomainTableOffset + d, static_cast<uint8_t>(100 - d));
    }
    document.Adopt(image.Build(), "domains.nes");
  }
  DomainTable Table(bool mysidia) { return ReadDomainTable(document.view(), mysidia); }
  void Store(const ui::EncounterDomainsDialog& dialog) {
    document.Apply([&](const RomView& rom) { dialog.WriteTo(rom); });
  }
  RomDocument document;
};

TEST_F(UiTest, EncounterDomainsGridFollowsTheMap) {
  // Domain 16's field is 1551; 14 and 15 move up one.
  EXPECT_EQ(ui::DomainFieldId(14), 1552);
  EXPECT_EQ(ui::DomainFieldId(16), 1551);
  EXPECT_EQ(ui::DomainFieldId(17), 1554);

  DomainsFixture f;
  const std::vector<uint8_t> image = ImageBytes(f.document);
  ui::EncounterDomainsDialog dialog(f.document, nullptr);
  EXPECT_NE(QString::fromLatin1(ui::kDomainsReferenceText).indexOf("coorspond"), -1);
  EXPECT_EQ(Find<QLineEdit>(dialog, 1551)->text(), QStringLiteral("16"));
  EXPECT_EQ(Find<QLineEdit>(dialog, 1600)->text(), QStringLiteral("63"));

  Find<QPushButton>(dialog, ui::kDialogOk)->click();  // OK at once: no change
  f.Store(dialog);
  EXPECT_TRUE(std::ranges::equal(f.document.image(), image));

  ui::EncounterDomainsDialog edit(f.document, nullptr);
  Find<QLineEdit>(edit, 1551)->setText(QStringLiteral("7"));
  Find<QLineEdit>(edit, 1537)->setText(QStringLiteral("300"));
  Find<QLineEdit>(edit, 1538)->setText(QStringLiteral("-4"));
  Find<QLineEdit>(edit, 1539)->setText(QStringLiteral("115"));
  Find<QPushButton>(edit, ui::kDialogOk)->click();
  f.Store(edit);
  EXPECT_EQ(f.document.view().Byte(0x2C220), 7);  // domain 16
  EXPECT_EQ(f.document.view().Bytes(0x2C210, 4), (std::vector<uint8_t>{115, 0, 115, 3}));
}

TEST_F(UiTest, EncounterDomainsSwitchStoresTheShownTableFirst) {
  DomainsFixture f;
  ui::EncounterDomainsDialog dialog(f.document, nullptr);
  auto* box = Find<QCheckBox>(dialog, 1601);
  QLineEdit* field = Find<QLineEdit>(dialog, 1551);

  field->setText(QStringLiteral("40"));
  box->click();  // normal table stored, Mysidia Tower table shown
  EXPECT_TRUE(dialog.showsMysidiaTable());
  EXPECT_EQ(field->text(), QStringLiteral("84"));

  field->setText(QStringLiteral("9"));
  box->click();  // stored into the Mysidia Tower table
  EXPECT_EQ(field->text(), QStringLiteral("40"));
  field->setText(QStringLiteral("1"));
  dialog.reject();  // closing without OK keeps what was stored
  f.Store(dialog);
  EXPECT_EQ(f.Table(true)[16], 9);
  EXPECT_EQ(f.Table(false)[16], 40);
}

}  // namespace
}  // namespace kivo
