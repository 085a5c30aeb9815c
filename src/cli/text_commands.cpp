#include "cli/command.h"

namespace kivo::cli {

std::vector<Command> TextCommands() { return {}; }

}  // namespace kivo::cli
