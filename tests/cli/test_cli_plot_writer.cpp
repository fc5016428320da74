// The plot writer, a program of its own run by the plot commands that write PNG, SVG
// or PDF files: missing, failing or killed, it is reported, never taken for success.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "cli/plot_writer.h"
#include "support/cli_run.h"
#include "support/magbuilder.h"

using namespace rmx;
using namespace rmx::test;

namespace {

// A folder with a copy of remanex-cli, a sample file of one sample and, when given, a
// stand-in plot writer: a shell script.
struct CliCopy {
  TempDir dir;
  std::string cli = dir.File("remanex-cli");
  std::string mag = dir.File("s.mag");
  explicit CliCopy(const std::string& writerScript = {}) {
    std::filesystem::copy_file(REMANEX_CLI, cli);
    SectionPlan plan;
    plan.samples = {{"s1", {Step("TT", 100, 10, 20, 10, 20, 1e-5f, 0.1f)}}};
    WriteMag(mag, plan);
    if (writerScript.empty()) return;
    const std::string writer = dir.File(cli::PlotWriterFile);
    std::ofstream(writer) << "#!/bin/sh\n" << writerScript << "\n";
    ::chmod(writer.c_str(), 0755);
  }
  CliResult Plot(const std::string& name) const {
    return RunCliAt(cli, {"plot", mag, "1", "--kind", "zijderveld", "--coords", "tilt", "--out", dir.File(name)});
  }
};

}  // namespace

// Without the plot writer beside it, a picture file is refused by the writer's name
// and a text plot still works.
TEST(CliPlotWriter, AMissingPlotWriterIsNamedAndTextPlotsStillWork) {
  const CliCopy copy;
  for (const char* name : {"z.png", "z.txt"}) {
    const bool text = name[2] == 't';
    const CliResult r = copy.Plot(name);
    EXPECT_EQ(r.status, text ? 0 : 1) << r.err;
    EXPECT_EQ(r.err.find(copy.dir.File(cli::PlotWriterFile) + " cannot be run") != std::string::npos, !text) << r.err;
    ASSERT_EQ(std::filesystem::exists(copy.dir.File(name)), text) << name;
    if (text) {
      EXPECT_NE(ReadBytes(copy.dir.File(name)).find("line "), std::string::npos);
    }
  }
}

// Whatever the plot writer does, the command fails with a message and status 1 unless
// the writer said the file is written: its sentence, or how it stopped.
TEST(CliPlotWriter, APlotWriterThatFailsIsReported) {
  const struct {
    const char* script;
    int status;
    const char* message;  // in "remanex-cli: FILE: MESSAGE"
  } cases[] = {
      {"cat >/dev/null; printf 'the disk is full'; exit 1", 1, "the disk is full\n"},
      {"exit 1", 1, "the plot writer failed\n"},  // no sentence
      {"cat >/dev/null; exit 3", 1, "the plot writer failed\n"},
      {"kill -9 $$", 1, "the plot writer stopped on signal 9\n"},
      {"cat >/dev/null; exit 0", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const CliCopy copy(c.script);
    const CliResult r = copy.Plot("z.png");
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.status != 0) {
      EXPECT_EQ(r.err, "remanex-cli: " + copy.dir.File("z.png") + ": " + c.message);
    }
  }
}
