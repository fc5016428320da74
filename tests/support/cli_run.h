// Runs the built remanex-cli and collects its output and exit status.
#pragma once

#include <string>
#include <vector>

namespace rmx::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `cli` (the path of remanex-cli) with the arguments, no shell involved.
CliResult RunCliAt(const std::string& cli, const std::vector<std::string>& args);

#ifdef REMANEX_CLI
inline CliResult RunCli(const std::vector<std::string>& args) { return RunCliAt(REMANEX_CLI, args); }
#endif

}  // namespace rmx::test
