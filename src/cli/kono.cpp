// kono: the Kono (1980) palaeolatitude calculator on a table read from a file or
// standard input. Prints each result box as "label text" in the window's order, an
// empty line and the intermediate results; the window's messages go to standard
// error (a refusal exits 1).
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "toolbox/kono.h"

namespace rmx::cli {

namespace {

std::string ReadTable(const std::string& path) {
  if (path == "-") {
    std::ostringstream s;
    s << std::cin.rdbuf();
    return s.str();
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure(path, std::string("cannot be read: ") + std::strerror(errno));
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Failure(path, std::string("cannot be read: ") + std::strerror(errno));
  return text;
}

}  // namespace

int RunKono(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments a = SplitArguments(args, {}, {"weighted"});
  if (a.positional.size() != 1) throw UsageError("kono takes one table file (or - for standard input)");
  const bool weighted = a.Has("weighted");
  const toolbox::KonoResult r = toolbox::ComputeKono(ReadTable(a.positional[0]), weighted);

  std::string report;
  for (int b = 0; b < toolbox::KonoBoxCount; ++b) {
    report += toolbox::KonoBoxes[b].label;
    if (!r.boxes[b].empty()) report += " " + r.boxes[b];
    report += "\r\n";
  }
  report += "\r\n" + r.intermediate + "\r\n";
  PrintReport(out, report);
  out.flush();
  for (const auto& m : {r.refusal, r.notice})
    if (m) PrintReport(std::cerr, m->title + ": " + m->text + "\r\n");
  return r.refusal ? 1 : 0;
}

}  // namespace rmx::cli
