#pragma once
// Runs the built kivo-cli and captures what it prints.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <array>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace kivo::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// `args` is pasted into a shell command line; quote paths with QuoteArg.
inline std::string QuoteArg(const std::string& s) {
  std::string q = "'";
  for (char c : s)
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline void Append(FILE* from, std::string& to) {
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), from)) > 0)
    to.append(buffer.data(), n);
}

inline CliResult RunCli(const std::string& args) {
  // A file of its own per run: tests run in parallel processes.
  std::string errFile = std::string(::testing::TempDir()) + "kivo_cli_stderr_XXXXXX";
  const int fd = mkstemp(errFile.data());
  if (fd >= 0) close(fd);
  const std::string command = std::string(KIVO_CLI_PATH) + " " + args + " 2>" + QuoteArg(errFile);
  CliResult result;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    Append(pipe, result.out);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  if (FILE* f = fopen(errFile.c_str(), "rb")) {
    Append(f, result.err);
    fclose(f);
  }
  unlink(errFile.c_str());
  return result;
}

}  // namespace kivo::test
