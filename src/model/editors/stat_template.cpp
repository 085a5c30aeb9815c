#include "model/editors/stat_template.h"

#include <algorithm>
#include <cstdint>

#include "model/editors/character.h"

namespace kivo {
namespace {

int Truncate(double value) {
  return static_cast<int>(value);  // toward zero
}

int AsByte(int value) {
  return static_cast<uint8_t>(value);
}

}  // namespace

int ClampTemplatePoints(int points) {
  return std::clamp(points, 0, kMaxTemplatePoints);
}

StatTemplate ComputeStatTemplate(int points, int balance) {
  const double p = ClampTemplatePoints(points);
  balance = std::clamp(balance, kMinTemplateBalance, kMaxTemplateBalance);
  const double a = (50 - balance) * 0.01;  // physical weight
  const double b = (balance + 50) * 0.01;  // magical weight

  StatTemplate t;
  t.hp = Truncate(p * (1.4 * a + 0.15));
  t.mp = Truncate(p * (0.8 * b + 0.14));
  t.strength = Truncate(p * (0.035 * a + 0.14));
  t.vitality = Truncate(p * (0.022 * a + 0.096));
  t.agility = Truncate(p * (0.04 * a + 0.052));
  t.evasionCount = Truncate(p * (0.01 * a + 0.002));
  t.evasionPercent = Truncate(p * (0.07 * a + 0.09));
  t.magic = Truncate(p * (0.05 * b + 0.107));
  t.intellect = Truncate(p * (0.06 * b + 0.083));
  t.soul = Truncate(p * (0.049 * b + 0.072));
  t.magicDefenceCount = Truncate(p * (0.01 * b + 0.006));
  t.magicDefencePercent = Truncate(p * (0.04 * b + 0.14));

  // The clamps, in this order.
  for (int* v :
       {&t.hp, &t.mp, &t.strength, &t.vitality, &t.agility, &t.evasionCount, &t.evasionPercent,
        &t.magic, &t.intellect, &t.soul, &t.magicDefenceCount, &t.magicDefencePercent}) {
    *v = std::max(*v, 0);
  }
  t.evasionCount = std::max(t.evasionCount, kMinLevel);
  t.magicDefenceCount = std::max(t.magicDefenceCount, kMinLevel);
  t.hp = std::min(t.hp, kMaxHpMp);
  t.mp = std::min(t.mp, kMaxHpMp);
  for (int* v : {&t.strength, &t.vitality, &t.agility})
    *v = std::min(*v, kMaxStatistic);
  t.evasionCount = std::min(t.evasionCount, kMaxLevel);
  for (int* v : {&t.evasionPercent, &t.magic, &t.intellect, &t.soul})
    *v = std::min(*v, kMaxStatistic);
  t.magicDefenceCount = std::min(t.magicDefenceCount, kMaxLevel);
  t.magicDefencePercent = std::min(t.magicDefencePercent, kMaxStatistic);
  return t;
}

void ApplyStatTemplate(const StatTemplate& stats, CharacterRecord& record) {
  record.hpCurrent = record.hpMax = stats.hp;
  record.mpCurrent = record.mpMax = stats.mp;
  record.strength = AsByte(stats.strength);
  record.vitality = AsByte(stats.vitality);
  record.agility = AsByte(stats.agility);
  record.magic = AsByte(stats.magic);
  record.intellect = AsByte(stats.intellect);
  record.soul = AsByte(stats.soul);
  record.evasionCount = AsByte(stats.evasionCount);
  record.evasionPercent = AsByte(stats.evasionPercent);
  record.magicDefenceCount = AsByte(stats.magicDefenceCount);
  record.magicDefencePercent = AsByte(stats.magicDefencePercent);
}

}  // namespace kivo
