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

TEST(CliStartup, AMissingPlotWriterIsNamedAndTextPlotsStillWork) {
  TempDir dir;
  const std::string cli = dir.File("remanex-cli");  // a copy without the module beside it
  std::filesystem::copy_file(REMANEX_CLI, cli);
  SectionPlan plan;
  plan.samples = {{"s1", {Step("TT", 100, 10, 20, 10, 20, 1e-5f, 0.1f)}}};
  WriteMag(dir.File("s.mag"), plan);

  const std::string png = dir.File("z.png");
  CliResult r = RunCliAt(cli, {"plot", dir.File("s.mag"), "1", "--kind", "zijderveld", "--coords", "tilt", "--out", png});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(dir.File("libremanex-plotwriter.so")), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(png));

  r = RunCliAt(cli, {"plot", dir.File("s.mag"), "1", "--kind", "zijderveld", "--coords", "tilt", "--out",
                     dir.File("z.txt")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadBytes(dir.File("z.txt")).find("line "), std::string::npos);
}
