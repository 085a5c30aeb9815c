#include "ui/core/app_state.h"

namespace kivo::ui {

std::optional<Message> LoadTable(AppState& state, TableKind kind, const std::string& path) {
  LoadedTable& slot = state.table(kind);
  TableLoadResult result = LoadTableFile(slot.table, path, kind);
  if (!result.ok)
    return result.message;
  slot.loaded = true;
  slot.encoding = result.encoding;
  return std::nullopt;
}

}  // namespace kivo::ui
