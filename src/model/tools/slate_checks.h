#pragma once
// Which boxes of Clean the Slate are checked and enabled. A parent sets its
// children to its own state; a set of siblings with none checked any more
// unchecks its parent and is disabled. Kept apart from the widgets so the
// rules can be followed click by click.

#include <string_view>
#include <vector>

namespace kivo {

inline constexpr int kSlateToggleId = 1364;
inline constexpr int kSlateTileListId = 1369;
inline constexpr int kSlateWorldMapId = 1317;

inline constexpr const char* kSelectAllText = "Select everything!";
inline constexpr const char* kDeselectAllText = "De-select everything!";

// How many parents stand above box `id` (0 for a box with none).
int SlateBoxDepth(int id);

class SlateChecks {
 public:
  // Every box checked and enabled (but the two that never are), the tile list
  // enabled, the toggle offering to de-select.
  SlateChecks();

  bool checked(int id) const;
  bool enabled(int id) const;
  bool tileListEnabled() const { return tileListEnabled_; }
  std::string_view toggleCaption() const;

  // The user clicked box `id`, which now reads `nowChecked`.
  void Click(int id, bool nowChecked);
  // The toggle button: checks or unchecks every box, then offers the opposite.
  void Toggle();

  // Checked boxes in the order of SlateBoxes().
  std::vector<int> CheckedIds() const;

 private:
  struct State {
    int id = 0;
    bool checked = false;
    bool enabled = false;
    bool locked = false;  // always unchecked and disabled
  };
  State* Find(int id);
  const State* Find(int id) const;
  void Set(int id, bool checked, bool enabled);
  void TestSet(int parent);

  std::vector<State> states_;
  bool tileListEnabled_ = true;
  bool selectNext_ = true;  // what the toggle does next
};

}  // namespace kivo
