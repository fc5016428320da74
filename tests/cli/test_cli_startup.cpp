// The command line starts without Qt: only the plot writer module, loaded by the
// plot commands that write PNG, SVG or PDF files, brings it in.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "support/cli_run.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// The shared libraries the dynamic linker loads with the program, as ldd lists them.
std::string SharedLibraries(const std::string& program) {
  std::string out;
  FILE* p = ::popen(("ldd '" + program + "' 2>&1").c_str(), "r");
  if (!p) return out;
  char buffer[4096];
  while (const size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
  return ::pclose(p) == 0 ? out : std::string();
}

}  // namespace

TEST(CliStartup, NoQtLibraryIsLoadedWithTheProgram) {
  const std::string libraries = SharedLibraries(REMANEX_CLI);
  if (libraries.empty()) GTEST_SKIP() << "ldd cannot list the libraries";
  EXPECT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
  EXPECT_EQ(libraries.find("Qt"), std::string::npos) << libraries;
}

// Without the module beside it, a picture file is refused by the module's name and a
// text plot still works.
TEST(CliStartup, AMissingPlotWriterIsNamedAndTextPlotsStillWork) {
  TempDir dir;
  const std::string cli = dir.File("remanex-cli");
  std::filesystem::copy_file(REMANEX_CLI, cli);
  SectionPlan plan;
  plan.samples = {{"s1", {Step("TT", 100, 10, 20, 10, 20, 1e-5f, 0.1f)}}};
  WriteMag(dir.File("s.mag"), plan);

  for (const char* name : {"z.png", "z.txt"}) {
    const bool text = name[2] == 't';
    const CliResult r = RunCliAt(
        cli, {"plot", dir.File("s.mag"), "1", "--kind", "zijderveld", "--coords", "tilt", "--out", dir.File(name)});
    EXPECT_EQ(r.status, text ? 0 : 1) << r.err;
    EXPECT_EQ(r.err.find(dir.File("libremanex-plotwriter.so")) != std::string::npos, !text) << r.err;
    ASSERT_EQ(std::filesystem::exists(dir.File(name)), text) << name;
    if (text) EXPECT_NE(ReadBytes(dir.File(name)).find("line "), std::string::npos);
  }
}
