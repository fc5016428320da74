#include "cli/cli.h"

#include <iostream>

#include "remanex_version.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx::cli {

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const auto& l : lines) out << Latin1ToUtf8(l) << '\n';
}

void PrintReport(std::ostream& out, const std::string& report) {
  // In pieces through a buffer of its own: a report of a full file is some 100 KB,
  // and a copy of it is fresh memory to fault in.
  char buffer[16384];
  size_t used = 0;
  for (size_t i = 0; i < report.size(); ++i) {
    const auto c = static_cast<unsigned char>(report[i]);
    if (c == '\r' && i + 1 < report.size() && report[i + 1] == '\n') continue;
    if (used + 2 > sizeof buffer) {
      out.write(buffer, static_cast<std::streamsize>(used));
      used = 0;
    }
    if (c < 0x80) {
      buffer[used++] = static_cast<char>(c);
    } else {  // ISO 8859-1 to UTF-8
      buffer[used++] = static_cast<char>(0xC0 | (c >> 6));
      buffer[used++] = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out.write(buffer, static_cast<std::streamsize>(used));
}

const std::string* Arguments::Option(const std::string& name) const {
  const auto it = options.find(name);
  return it == options.end() ? nullptr : &it->second;
}

Arguments SplitArguments(const std::vector<std::string>& args, std::initializer_list<const char*> known,
                         std::initializer_list<const char*> flags) {
  Arguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0 || args[i] == "--") {
      parsed.positional.push_back(args[i]);
      continue;
    }
    std::string name = args[i].substr(2);
    std::string value;
    const size_t eq = name.find('=');
    bool isFlag = false;
    for (const char* f : flags) isFlag = isFlag || name == f;
    bool isKnown = isFlag;
    for (const char* k : known) isKnown = isKnown || name.substr(0, eq) == k;
    if (!isKnown) throw UsageError("unknown option: --" + name.substr(0, eq));
    if (isFlag) {
      value = "yes";
    } else if (eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.erase(eq);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw UsageError("--" + name + " needs a value");
    }
    if (!parsed.options.emplace(name, value).second) throw UsageError("--" + name + " is given twice");
  }
  return parsed;
}

std::string WithoutPath(const std::string& message, const std::string& path) {
  // Messages name the path as core text; a path of plain ASCII is the same either way.
  for (const std::string& name : {path, PathToLatin1(path)}) {
    const std::string prefix = name + ": ";
    if (message.rfind(prefix, 0) == 0) return message.substr(prefix.size());
  }
  return message;
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
  u += "  remanex-cli --version\n      prints the program's version\n";
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
  if (args[0] == "--version") {
    out << "remanex-cli " << ProgramVersion << '\n';
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
      // The file is named by its path's own bytes; the message is core text.
      err << "remanex-cli: " << e.file << ": " << Latin1ToUtf8(e.what()) << '\n';
      return 1;
    }
  }
  err << "remanex-cli: unknown command: " << args[0] << "\n" << UsageText();
  return 2;
}

}  // namespace rmx::cli
