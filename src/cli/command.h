#pragma once
// The commands of kivo-cli. Each takes its arguments (after the command
// name), writes to the given streams and returns the exit status.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {
class RomDocument;
struct Message;
}

namespace kivo::cli {

using Args = std::vector<std::string>;

struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  std::function<int(const Args&, std::ostream& out, std::ostream& err)> run;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// A message of the data layer on `err`: its text, then the file and reason.
void PrintMessage(const Message& message, std::ostream& err);

// Opens a ROM file; on failure says why on `err` and gives false.
bool OpenRom(const std::string& path, RomDocument& document, std::ostream& err);
// The same, refusing an image the program does not edit: it has no `what`
// ("text entries", "world map") to show.
bool OpenEditableRom(const std::string& path, RomDocument& document, std::string_view what,
                     std::ostream& err);

// Splits a flag such as "--json" off the arguments; true when it was there.
bool TakeFlag(Args& args, std::string_view flag);

std::vector<Command> CoreCommands();
std::vector<Command> TextCommands();
std::vector<Command> MapCommands();
std::vector<Command> PatchCommands();
std::vector<Command> DemoCommands();
std::vector<Command> DumpCommands();

}  // namespace kivo::cli
