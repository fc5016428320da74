// The table of commands. Each command lives in a file of its own in this folder.
#include "cli/cli.h"

namespace rmx::cli {

int RunSamples(const std::vector<std::string>& args, std::ostream& out);
int RunListing(const std::vector<std::string>& args, std::ostream& out);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"samples", "FILE.mag", "prints the sample list (heading first)", RunSamples},
      {"listing", "FILE.mag N", "prints the data listing of sample N", RunListing},
  };
  return commands;
}

}  // namespace rmx::cli
