// Tab follows what the eye reads on every page and dialog, and the main
// window never gets so small that a control of a page is cut.

#include <QApplication>
#include <QLayout>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "model/core/settings.h"
#include "model/editors/equipment_bits.h"
#include "model/editors/spell.h"
#include "model/gfx/metatiles.h"
#include "ui/core/about_dialog.h"
#include "ui/core/clean_data_dialog.h"
#include "ui/core/config_dialog.h"
#include "ui/core/rom_info_dialog.h"
#include "ui/editors/gil_dialog.h"
#include "ui/editors/stat_template_dialog.h"
#include "ui/gfx/custom_colours_dialog.h"
#include "ui/gfx/palettes_dialog.h"
#include "ui/gfx/select_colour_dialog.h"
#include "ui/map/encounter_domains_dialog.h"
#include "ui/map/tile_editor_dialog.h"
#include "ui/text/effect_label_dialog.h"
#include "ui/tools/clean_slate_dialog.h"
#include "ui/ui_test.h"

namespace kivo {
namespace {

// The layout items from `layout` down to the one holding `w`.
bool PathTo(QLayout& layout, const QWidget& w, std::vector<QLayoutItem*>& path) {
  for (int i = 0; i < layout.count(); ++i) {
    QLayoutItem* item = layout.itemAt(i);
    path.push_back(item);
    const QWidget* widget = item->widget();
    if (widget ? widget == &w || widget->isAncestorOf(&w)
               : item->layout() && PathTo(*item->layout(), w, path))
      return true;
    path.pop_back();
  }
  return false;
}

// Where `a` and `b` stand in `root`, each as the largest part of the layouts
// around them that holds it but not the other: the group box, the column, the
// row of a grid cell. Tab goes through such a part as a whole.
std::pair<QRect, QRect> Units(const QWidget& a, const QWidget& b, const QWidget& root) {
  const QWidget* common = a.parentWidget();
  while (common != &root && !common->isAncestorOf(&b))
    common = common->parentWidget();
  std::vector<QLayoutItem*> pathA, pathB;
  if (common->layout()) {
    PathTo(*common->layout(), a, pathA);
    PathTo(*common->layout(), b, pathB);
  }
  std::size_t k = 0;
  while (k < pathA.size() && k < pathB.size() && pathA[k] == pathB[k])
    ++k;
  const QPoint origin = common->mapTo(&root, QPoint(0, 0));
  auto place = [&](const QWidget& w, const std::vector<QLayoutItem*>& path) {
    if (k < path.size())
      return path[k]->geometry().translated(origin);
    return QRect(w.mapTo(&root, QPoint(0, 0)), w.size());
  };
  return {place(a, pathA), place(b, pathB)};
}

// `b` reads after `a`: to its right on the same row, or further down.
bool ReadsAfter(const QRect& a, const QRect& b) {
  const bool sameRow = b.top() <= a.bottom() && b.bottom() >= a.top();
  const bool right = b.left() > a.right();
  const bool down = b.top() > a.top() + std::min(a.height(), b.height()) / 2;
  return (sameRow && right) || down;
}

std::string Name(const QWidget& w) {
  return w.objectName().isEmpty() ? w.metaObject()->className() : w.objectName().toStdString();
}

// The controls Tab visits inside `root`, from `root` on round its window.
std::vector<QWidget*> TabChain(QWidget& root) {
  std::vector<QWidget*> chain;
  for (QWidget* w = root.nextInFocusChain(); w != &root && w != root.window();
       w = w->nextInFocusChain()) {
    // As Qt's Tab, passing over a widget that hands its focus to another
    // (the line edit of a combo box one can type into).
    if (root.isAncestorOf(w) && w->window() == root.window() && (w->focusPolicy() & Qt::TabFocus) &&
        w->focusProxy() == nullptr && w->isVisible() && w->isEnabled())
      chain.push_back(w);
  }
  return chain;
}

// Each pair of controls Tab visits one after the other that goes against
// the reading order, as "a -> b".
std::vector<std::string> OutOfOrder(QWidget& root) {
  std::vector<std::string> wrong;
  const std::vector<QWidget*> chain = TabChain(root);
  for (std::size_t i = 1; i < chain.size(); ++i) {
    const QWidget& a = *chain[i - 1];
    const QWidget& b = *chain[i];
    const auto [unitA, unitB] = Units(a, b, root);
    if (!ReadsAfter(unitA, unitB))
      wrong.push_back(Name(a) + " -> " + Name(b));
  }
  return wrong;
}

// Every visible control below `root` that is cut: outside its parent, or
// given less room than it asks for (or than its own maximum, a list kept low).
std::vector<std::string> CutControls(QWidget& root) {
  std::vector<std::string> cut;
  for (QWidget* w : root.findChildren<QWidget*>()) {
    if (!w->isVisible() || w->isWindow())
      continue;
    const QSize wanted =
        w->minimumSizeHint().boundedTo(w->maximumSize()).expandedTo(w->minimumSize());
    if (!w->parentWidget()->rect().contains(w->geometry()) || w->width() < wanted.width() ||
        w->height() < wanted.height())
      cut.push_back(Name(*w));
  }
  return cut;
}

class LayoutTest : public test::WindowTest {
 protected:
  void Start() {
    StartOnDemo();
    window->show();
  }

  QWidget& ShowTab(int tab) {
    window->tabs()->setCurrentIndex(tab);
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    return *window->page(tab);
  }
};

TEST_F(LayoutTest, TabFollowsTheReadingOrderOnEveryPageAndDialog) {
  Start();
  for (int tab = 0; tab < ui::kTabCount; ++tab) {
    QWidget& page = ShowTab(tab);
    EXPECT_EQ(OutOfOrder(page), std::vector<std::string>{}) << "tab " << tab;
  }

  const auto check = [](const char* name, std::unique_ptr<QDialog> dialog) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(OutOfOrder(*dialog), std::vector<std::string>{}) << name;
  };
  MetatileSet set = MetatileSet::Read(state.document.view());
  std::vector<uint8_t> tiles = ReadWorldTiles(state.document.view());
  check("About", std::make_unique<ui::AboutDialog>(std::nullopt));
  check("Clean the data", std::make_unique<ui::CleanDataDialog>(state.settings, dir.File("x")));
  check("Config", std::make_unique<ui::ConfigDialog>(state));
  check("ROM information", std::make_unique<ui::RomInfoDialog>());
  check("Gil", std::make_unique<ui::GilDialog>(100));
  check("Stat template", std::make_unique<ui::StatTemplateDialog>());
  check("Custom colours", std::make_unique<ui::CustomColoursDialog>(state.settings));
  check("Palettes", std::make_unique<ui::PalettesDialog>(std::as_const(state.document).view(),
                                                         state.palette, 0));
  check("Select colour", std::make_unique<ui::SelectColourDialog>(state.palette, 0));
  check("Encounter domains", std::make_unique<ui::EncounterDomainsDialog>(state.document, nullptr));
  check("Tile editor", std::make_unique<ui::TileEditorDialog>(
                           state.document, state.palette, state.settings, tiles, set, 0, nullptr));
  check("Effect labels", std::make_unique<ui::EffectLabelDialog>(state.settings));
  check("Clean the Slate", std::make_unique<ui::CleanSlateDialog>(state.document, dir.File("x")));
}

TEST_F(LayoutTest, ShowingTheAilmentBoxesMovesNoOtherControl) {
  Start();
  // A label as long as a label can be, on a box that shows.
  state.settings.SetField(settings::kPermanentAilmentLabels, 0, std::string(12, 'W'));
  const struct {
    int tab, list, firstBox;
    std::array<int, 3> rows;  // none, all and all but one of the boxes shown
  } cases[] = {
      {ui::kEquipmentTab, 1194, 1125, {0, kEffectPermanentAilment, kEffectTemporaryAilment}},
      {ui::kSpellsTab, 1382, 1393, {0, kPermanentAilmentType, kTemporaryAilmentType}},
  };
  for (const auto& c : cases) {
    QWidget& page = ShowTab(c.tab);
    std::map<int, QRect> places;  // of every control with an id but the boxes and their frame
    for (int row : c.rows) {
      test::Find<QListWidget>(page, c.list)->setCurrentRow(row);
      QApplication::processEvents();
      for (QWidget* w : page.findChildren<QWidget*>()) {
        const int id = w->objectName().toInt();
        if (id == 0 || id == 1682 || (id >= c.firstBox && id < c.firstBox + 7))
          continue;
        const auto [known, first] = places.emplace(id, QRect(w->mapTo(&page, QPoint()), w->size()));
        EXPECT_EQ(known->second, QRect(w->mapTo(&page, QPoint()), w->size()))
            << "tab " << c.tab << ", row " << row << ", control " << id;
      }
    }
  }
}

TEST_F(LayoutTest, AtItsMinimumSizeTheWindowCutsNoControlOfAnyPage) {
  Start();
  for (int tab = 0; tab < ui::kTabCount; ++tab)
    ShowTab(tab);
  window->resize(1, 1);  // as small as it goes
  for (int tab = 0; tab < ui::kTabCount; ++tab)
    EXPECT_EQ(CutControls(ShowTab(tab)), std::vector<std::string>{}) << "tab " << tab;
}

}  // namespace
}  // namespace kivo
