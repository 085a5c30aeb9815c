#pragma once
// The resets offered by the Clean the data dialog: one per check box, each
// restoring the default bytes of exactly its own settings fields.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "model/core/message.h"
#include "model/core/settings.h"

namespace kivo {

enum class ResetGroup {
  FileLocations,
  Labels,
  CursorSelections,
  CustomColours,
  EditorSpecific,
  CheckBoxes,
};
inline constexpr int kResetGroupCount = 6;

// The caption of the group box holding the group's check boxes.
std::string_view ResetGroupCaption(ResetGroup group);

// A run of settings bytes: one field, or neighbouring fields reset together.
struct ByteRange {
  std::size_t offset = 0;
  std::size_t size = 0;
  constexpr std::size_t end() const { return offset + size; }
};

struct SettingsReset {
  int id;  // the check box's template id
  std::string_view caption;
  ResetGroup group;
  ByteRange range;  // restored to the bytes of a default block
};

inline constexpr int kSettingsResetCount = 37;

// Every reset in the order of the dialog, which is also the order they apply.
std::span<const SettingsReset> SettingsResets();

// Writes the defaults into the reset's own bytes and nowhere else.
void ApplyReset(SettingsBlock& block, const SettingsReset& reset);

inline constexpr const char* kCleanQuestionText =
    "If a rom is open, it will need to be re-opened once this process is done. Changes to the "
    "rom won't be saved. Proceed?";
inline constexpr const char* kCleanDoneText = "The data has been cleaned and reset";
inline constexpr const char* kCleanNothingText = "The data hasn't been changed...";
inline constexpr const char* kCleanWriteFailedText = "Unable to open data file for cleaning!";

struct CleanOutcome {
  Messages messages;     // to show in order
  bool written = false;  // the data file holds the cleaned block
};

// Applies the resets whose entry in `ticked` (indexed like SettingsResets())
// is set, in table order, then writes the whole block to `dataFilePath`.
// When the write fails the resets stay applied in memory.
CleanOutcome CleanSettings(SettingsBlock& block, std::span<const bool> ticked,
                           const std::string& dataFilePath);

}  // namespace kivo
