#include "model/tools/slate_checks.h"

#include <algorithm>
#include <array>
#include <span>

#include "model/tools/clean_slate.h"

namespace kivo {
namespace {

// Member lists end at the first 0.
constexpr std::size_t kMaxMembers = 11;
struct Family {
  int parent;
  std::array<int, kMaxMembers> members;
  auto begin() const { return members.begin(); }
  auto end() const { return std::find(members.begin(), members.end(), 0); }
};

// A parent and every box it sets when clicked. Monster "Stats" takes the
// "Stats" under its "Indexes" too: left out, unchecking the top box would
// still blank the shared stat table beneath an unchecked parent.
constexpr Family kChildren[] = {
    {1352, {1347, 1336, 1324, 1325, 1334, 1335, 1328, 1333, 1361, 1360, 1365}},
    {1336, {1324, 1325}},
    {1347, {1328, 1333, 1361, 1360, 1365}},
    {1332, {1338, 1331, 1337, 1351, 1350, 1358, 1349, 1370}},
    {1337, {1351, 1350, 1358, 1349, 1370}},
    {1356, {1341, 1342}},
    {1343, {1345, 1344}},
    {1371, {1372, 1373}},
};

// Sibling sets and the parent each unchecks once none of it is checked.
constexpr Family kSets[] = {
    {1336, {1324, 1325}},
    {1347, {1328, 1333, 1361, 1360, 1365}},
    {1352, {1347, 1336, 1334, 1335}},
    {1337, {1351, 1350, 1358, 1349, 1370}},
    {1332, {1338, 1331, 1337}},
    {1356, {1341, 1342}},
    {1343, {1345, 1344}},
    {1371, {1372, 1373}},
};

constexpr int kNamesId = 1352;
constexpr int kMonsterStatsId = 1332;
// Clicks that test the "Names" set, or the monster "Stats" set, after their own.
constexpr Family kTestsNames = {kNamesId, {1324, 1325, 1336, 1347, 1334, 1335}};
constexpr Family kTestsMonsterStats = {kMonsterStatsId,
                                       {1351, 1350, 1358, 1349, 1370, 1337, 1338, 1331}};

bool Contains(const Family& family, int id) {
  return std::find(family.begin(), family.end(), id) != family.end();
}

const Family* FamilyOf(std::span<const Family> families, int parent) {
  for (const Family& family : families) {
    if (family.parent == parent)
      return &family;
  }
  return nullptr;
}

}  // namespace

int SlateBoxDepth(int id) {
  for (const Family& set : kSets) {
    if (Contains(set, id))
      return 1 + SlateBoxDepth(set.parent);
  }
  return 0;
}

SlateChecks::SlateChecks() {
  for (const SlateBox& box : SlateBoxes())
    states_.push_back({.id = box.id, .locked = box.alwaysDisabled});
  Toggle();
}

SlateChecks::State* SlateChecks::Find(int id) {
  for (State& state : states_) {
    if (state.id == id)
      return &state;
  }
  return nullptr;
}

const SlateChecks::State* SlateChecks::Find(int id) const {
  return const_cast<SlateChecks*>(this)->Find(id);
}

bool SlateChecks::checked(int id) const {
  const State* state = Find(id);
  return state && state->checked;
}

bool SlateChecks::enabled(int id) const {
  const State* state = Find(id);
  return state && state->enabled;
}

std::string_view SlateChecks::toggleCaption() const {
  return selectNext_ ? kSelectAllText : kDeselectAllText;
}

void SlateChecks::Set(int id, bool checked, bool enabled) {
  State* state = Find(id);
  if (!state || state->locked)
    return;
  state->checked = checked;
  state->enabled = enabled;
}

void SlateChecks::TestSet(int parent) {
  const Family* set = FamilyOf(kSets, parent);
  if (!set || std::any_of(set->begin(), set->end(), [this](int id) { return checked(id); })) {
    return;
  }
  if (State* state = Find(parent))
    state->checked = false;
  for (int id : *set)
    Set(id, false, false);
}

void SlateChecks::Click(int id, bool nowChecked) {
  State* state = Find(id);
  if (!state || state->locked)
    return;
  state->checked = nowChecked;
  if (id == kSlateWorldMapId)
    tileListEnabled_ = nowChecked;
  if (const Family* children = FamilyOf(kChildren, id)) {
    for (int child : *children)
      Set(child, nowChecked, nowChecked);
  }
  for (const Family& set : kSets) {
    if (Contains(set, id))
      TestSet(set.parent);
  }
  if (Contains(kTestsNames, id))
    TestSet(kNamesId);
  if (Contains(kTestsMonsterStats, id))
    TestSet(kMonsterStatsId);
}

void SlateChecks::Toggle() {
  for (State& state : states_) {
    state.checked = selectNext_ && !state.locked;
    state.enabled = !state.locked;
  }
  for (const Family& family : kChildren) {
    for (int child : family) {
      if (State* state = Find(child))
        state->enabled = state->enabled && checked(family.parent);
    }
  }
  tileListEnabled_ = selectNext_;
  selectNext_ = !selectNext_;
}

std::vector<int> SlateChecks::CheckedIds() const {
  std::vector<int> ids;
  for (const State& state : states_) {
    if (state.checked)
      ids.push_back(state.id);
  }
  return ids;
}

}  // namespace kivo
