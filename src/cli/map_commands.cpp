#include "cli/command.h"

namespace kivo::cli {

std::vector<Command> MapCommands() { return {}; }

}  // namespace kivo::cli
