#pragma once
// The main window's tabs, in order: pages name the tab of a step with these.

namespace kivo::ui {

enum TabIndex {
  kMainTab = 0,
  kCharacterTab,
  kEquipmentTab,
  kFormationTab,
  kMapsTab,
  kMonsterTab,
  kShopTab,
  kSpellsTab,
  kTextTab,
  kTabCount,
};

}  // namespace kivo::ui
