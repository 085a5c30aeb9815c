// What each value box of the Character page holds and where it lives.

#include <QLineEdit>

#include "model/editors/character.h"
#include "model/editors/field_places.h"
#include "ui/editors/character_page.h"
#include "ui/framework/field_info.h"

namespace kivo::ui {

void CharacterPage::DescribeFields() {
  namespace c = character;
  const std::size_t shift = context_.document->baseShift();
  const int index = loaded_;
  const auto describe = [&](QLineEdit* box, ValueRange range, std::size_t field, int size = 1) {
    DescribeField(*box, range, CharacterFieldPlace(index, field, size), shift);
  };
  constexpr ValueRange word{0, kMaxHpMp};
  constexpr ValueRange statistic{0, kMaxStatistic};
  constexpr ValueRange level{kMinLevel, kMaxLevel};
  describe(hp_[0], word, c::kHpCurrent, 2);
  describe(hp_[1], word, c::kHpMax, 2);
  describe(mp_[0], word, c::kMpCurrent, 2);
  describe(mp_[1], word, c::kMpMax, 2);
  describe(strength_, statistic, c::kStrength);
  describe(agility_, statistic, c::kAgility);
  describe(vitality_, statistic, c::kVitality);
  describe(intellect_, statistic, c::kIntellect);
  describe(soul_, statistic, c::kSoul);
  describe(magic_, statistic, c::kMagic);
  describe(evasion_[0], level, c::kEvasionCount);
  describe(evasion_[1], statistic, c::kEvasionPercent);
  describe(magicDefence_[0], level, c::kMagicDefenceCount);
  describe(magicDefence_[1], statistic, c::kMagicDefencePercent);
  for (int s = 0; s < kWeaponSkillCount; ++s) {
    describe(skills_[s].level, level, c::kSkills + 2 * static_cast<std::size_t>(s));
    describe(skills_[s].experience, statistic, c::kSkills + 2 * static_cast<std::size_t>(s) + 1);
  }
  for (int k = 0; k < kSpellSlotCount; ++k) {
    describe(spells_[k].level, level, c::kSpellLevels + 2 * static_cast<std::size_t>(k));
    describe(spells_[k].experience, statistic,
             c::kSpellLevels + 2 * static_cast<std::size_t>(k) + 1);
  }
}

}  // namespace kivo::ui
