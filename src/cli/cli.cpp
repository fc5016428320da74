#include "cli/cli.h"

#include <iostream>

#include "store/numread.h"
#include "store/text.h"

namespace rmx::cli {

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const auto& l : lines) out << Latin1ToUtf8(l) << '\n';
}

void PrintReport(std::ostream& out, const std::string& report) {
  std::string text;
  text.reserve(report.size());
  for (size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
    text.push_back(report[i]);
  }
  out << Latin1ToUtf8(text);
}

int ParseIndex(const std::string& text, const char* what) {
  for (char c : text)
    if (c < '0' || c > '9') throw UsageError(std::string(what) + " must be a whole number: " + text);
  const auto v = ReadWhole(text);
  if (text.empty() || !v) throw UsageError(std::string(what) + " must be a whole number: " + text);
  return *v;
}

namespace {

std::string UsageText() {
  std::string u = "usage: remanex-cli COMMAND ARGUMENTS\n\nCommands:\n";
  for (const auto& c : Commands()) {
    u += "  remanex-cli ";
    u += c.name;
    if (*c.usage) {
      u += ' ';
      u += c.usage;
    }
    u += "\n      ";
    u += c.help;
    u += '\n';
  }
  u += "  remanex-cli --help\n      prints this text\n";
  u += "\nSamples are numbered from 1 in file order, as in the sample list of the window.\n";
  return u;
}

}  // namespace

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << UsageText();
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << UsageText();
    return 0;
  }
  for (const auto& c : Commands()) {
    if (args[0] != c.name) continue;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
      return c.run(rest, out);
    } catch (const UsageError& e) {
      err << "remanex-cli: " << e.what() << "\nusage: remanex-cli " << c.name << ' ' << c.usage << '\n';
      return 2;
    } catch (const Failure& e) {
      out.flush();
      err << "remanex-cli: " << Latin1ToUtf8(e.file) << ": " << Latin1ToUtf8(e.what()) << '\n';
      return 1;
    }
  }
  err << "remanex-cli: unknown command: " << args[0] << "\n" << UsageText();
  return 2;
}

}  // namespace rmx::cli
