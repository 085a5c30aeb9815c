#pragma once
// The Stat Template: a complete set of statistics computed from a number of
// points and a balance between physical and magical strength.

namespace kivo {

struct CharacterRecord;

inline constexpr int kDefaultTemplatePoints = 125;
inline constexpr int kMaxTemplatePoints = 999;
// Balance: -49 all physical, 0 even, 49 all magical.
inline constexpr int kMinTemplateBalance = -49;
inline constexpr int kMaxTemplateBalance = 49;

struct StatTemplate {
  int hp = 0, mp = 0;
  int strength = 0, vitality = 0, agility = 0;
  int evasionCount = 0, evasionPercent = 0;
  int magic = 0, intellect = 0, soul = 0;
  int magicDefenceCount = 0, magicDefencePercent = 0;
  bool operator==(const StatTemplate&) const = default;
};

// Points as the template takes them: 0..999.
int ClampTemplatePoints(int points);

// The values for `points` (0..999) and `balance` (-49..49), each computed in
// double precision, truncated toward zero and clamped into its range.
StatTemplate ComputeStatTemplate(int points, int balance);

// Pours a template into a record: HP and MP into current and maximum as they
// are, the other ten values as bytes (modulo 256). Nothing else changes.
void ApplyStatTemplate(const StatTemplate& stats, CharacterRecord& record);

}  // namespace kivo
