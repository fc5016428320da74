// The texts that describe remanex-cli stay in step with it: its --version, the
// manual page and the command-line section of the user guide.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "help/guide.h"
#include "remanex_version.h"
#include "support/cli_run.h"

using namespace rmx::test;

namespace {

// The manual page as the reader sees its words: font changes dropped, "\-" a hyphen.
std::string ManPageWords() {
  std::ifstream in(std::string(REMANEX_EXAMPLES) + "/../dist/remanex-cli.1");
  std::stringstream ss;
  ss << in.rdbuf();
  return std::regex_replace(std::regex_replace(ss.str(), std::regex(R"(\\f.)"), ""), std::regex(R"(\\-)"), "-");
}

}  // namespace

// --version names the build's version; every command line of --help
// ("  remanex-cli NAME USAGE") is in the manual page and in the guide.
TEST(CliDocs, VersionAndEveryCommandOfHelpInTheManPageAndGuide) {
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("remanex-cli ") + rmx::ProgramVersion + "\n");
  const CliResult help = RunCli({"--help"});
  ASSERT_EQ(help.status, 0);
  const std::string man = ManPageWords();
  ASSERT_NE(man.find(".TH REMANEX-CLI 1"), std::string::npos);
  const std::string guide = rmx::HelpText();
  std::istringstream lines(help.out);
  int commands = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  remanex-cli ", 0) != 0) continue;
    const std::string synopsis = line.substr(2);
    ++commands;
    EXPECT_NE(man.find(".B " + synopsis + "\n"), std::string::npos) << "manual page lacks: " << synopsis;
    EXPECT_NE(guide.find("\r\n  " + synopsis + "\r\n"), std::string::npos) << "guide lacks: " << synopsis;
  }
  EXPECT_GE(commands, 9);
}
