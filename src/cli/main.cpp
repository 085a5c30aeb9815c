// kivo-cli: the headless front end over Kivo's data layer.

#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace {

std::vector<kivo::cli::Command> AllCommands() {
  std::vector<kivo::cli::Command> all = kivo::cli::CoreCommands();
  for (auto more : {kivo::cli::TextCommands(), kivo::cli::MapCommands(), kivo::cli::PatchCommands(),
                    kivo::cli::DemoCommands(), kivo::cli::DumpCommands()}) {
    all.insert(all.end(), more.begin(), more.end());
  }
  return all;
}

void PrintHelp(std::ostream& out, const std::vector<kivo::cli::Command>& commands) {
  out << "kivo-cli: inspect Final Fantasy 2 ROM images from the command line\n\n"
         "usage: kivo-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const auto& c : commands) {
    out << "  " << c.usage << "\n      " << c.summary << '\n';
  }
  out << "  --version\n      the version of Kivo\n  --help\n      this list\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<kivo::cli::Command> commands = AllCommands();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(args.empty() ? std::cerr : std::cout, commands);
    return args.empty() ? kivo::cli::kExitUsage : kivo::cli::kExitOk;
  }
  if (args[0] == "--version") {
    std::cout << "kivo-cli " << KIVO_VERSION << '\n';
    return kivo::cli::kExitOk;
  }
  for (const auto& c : commands) {
    if (c.name == args[0]) {
      return c.run(kivo::cli::Args(args.begin() + 1, args.end()), std::cout, std::cerr);
    }
  }
  std::cerr << "kivo-cli: unknown command \"" << args[0] << "\"\n\n";
  PrintHelp(std::cerr, commands);
  return kivo::cli::kExitUsage;
}
