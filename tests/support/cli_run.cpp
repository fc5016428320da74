#include "support/cli_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "support/magbuilder.h"

extern char** environ;

namespace rmx::test {

CliResult RunCliAt(const std::string& cli, const std::vector<std::string>& args) {
  TempDir dir;
  const std::string outPath = dir.File("out"), errPath = dir.File("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> all = {cli};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + cli);
  int status = 0;
  waitpid(pid, &status, 0);
  CliResult r;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadBytes(outPath);
  r.err = ReadBytes(errPath);
  return r;
}

}  // namespace rmx::test
