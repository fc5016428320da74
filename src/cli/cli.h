// remanex-cli: the commands of the windows, run headless. Each command prints the
// texts the windows show, one line per line, in UTF-8.
#pragma once

#include <initializer_list>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace rmx::cli {

// Bad usage: exit status 2 with the usage text.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A refused file or a failed command: "remanex-cli: <file>: <message>", exit 1.
class Failure : public std::runtime_error {
 public:
  Failure(std::string file, const std::string& message) : std::runtime_error(message), file(std::move(file)) {}
  std::string file;
};

struct Command {
  const char* name;
  const char* usage;  // the arguments after the command's name
  const char* help;   // one line
  int (*run)(const std::vector<std::string>& args, std::ostream& out);
};

// Every command of the program, in the order the usage text lists them.
const std::vector<Command>& Commands();

// Writes core text (ISO 8859-1) as UTF-8 lines ending with "\n".
void PrintLines(std::ostream& out, const std::vector<std::string>& lines);
// Writes a report built with CR LF line ends as UTF-8 with "\n" line ends.
void PrintReport(std::ostream& out, const std::string& report);

// A command's arguments: options "--name VALUE" or "--name=VALUE" by name, and the
// positional arguments in order.
struct Arguments {
  std::map<std::string, std::string> options;
  std::vector<std::string> positional;
  bool Has(const std::string& name) const { return options.count(name) != 0; }
  const std::string* Option(const std::string& name) const;
};
// Splits the arguments; an unknown option, an option without its value or an option
// given twice is a UsageError. Flags in `flags` take no value ("--overwrite").
Arguments SplitArguments(const std::vector<std::string>& args, std::initializer_list<const char*> known,
                         std::initializer_list<const char*> flags = {});

// A message without the "<path>: " it may start with (Failure names the file itself).
std::string WithoutPath(const std::string& message, const std::string& path);

// A whole number argument, or a UsageError naming it.
int ParseIndex(const std::string& text, const char* what);

// Runs the command line; returns the exit status.
int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rmx::cli
