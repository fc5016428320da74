#include "cli/drawing_output.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/cli.h"
#include "cli/plot_writer.h"
#include "store/numread.h"
#include "store/pending_file.h"
#include "store/text.h"

extern char** environ;

namespace rmx::cli {

namespace {

// The largest drawing accepted by --size, in twips (about 17 m).
constexpr double MaxTwips = 1e6;

// "WIDTHxHEIGHT" in twips.
plot::PanelSize SizeOf(const std::string& text) {
  const size_t x = text.find_first_of("xX");
  const auto bad = [&] {
    return UsageError("--size must be WIDTHxHEIGHT in twips, each above 0 and at most 1000000: " + text);
  };
  if (x == std::string::npos) throw bad();
  const auto w = ReadNumber(std::string_view(text).substr(0, x));
  const auto h = ReadNumber(std::string_view(text).substr(x + 1));
  if (!w || !h || !(*w > 0) || !(*h > 0) || *w > MaxTwips || *h > MaxTwips) throw bad();
  return {*w, *h};
}

double DpiOf(const std::string& text) {
  const auto d = ReadWhole(text);
  if (!d || *d < 1 || *d > 4800) throw UsageError("--dpi must be a whole number from 1 to 4800: " + text);
  return *d;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The image or document format of a file name, by its extension in any case;
// false for any other name.
bool KindOf(const std::string& path, PlotFileKind& kind) {
  const std::string name = Lower(path);
  if (EndsWith(name, ".png"))
    kind = PlotFileKind::Png;
  else if (EndsWith(name, ".svg"))
    kind = PlotFileKind::Svg;
  else if (EndsWith(name, ".pdf"))
    kind = PlotFileKind::Pdf;
  else
    return false;
  return true;
}

void WriteText(const std::string& path, const std::string& text) {
  PendingFile file(path);
  if (!file.Created() || !file.Commit(text))
    throw Failure(path, std::string("cannot write the file: ") + std::strerror(errno));
}

// The folder of the running program, from the kernel's link to it.
std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

// The plot writer: beside the program (in the build), else in the library folder it
// is installed to.
std::string PlotWriterPath() {
  std::string writer = (ProgramFolder() / PlotWriterFile).string();
#ifdef REMANEX_PLOTWRITER_DIR
  std::error_code ec;
  const std::string installed = (ProgramFolder() / REMANEX_PLOTWRITER_DIR / PlotWriterFile).lexically_normal().string();
  if (!std::filesystem::exists(writer, ec) && std::filesystem::exists(installed, ec)) writer = installed;
#endif
  return writer;
}

// A descriptor closed on every path out of its scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Sends the whole job; false when the writer stopped reading (it answers why).
bool SendAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    // MSG_NOSIGNAL: a writer that has gone is an answer to read, not a signal.
    const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string ReceiveAll(int fd) {
  std::string answer;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    answer.append(buffer, static_cast<size_t>(n));
  }
  return answer;
}

// Runs the plot writer on the job; Failure when the file is not written.
void RunPlotWriter(const PlotFileJob& job, const std::string& out) {
  const std::string writer = PlotWriterPath();
  const auto cannotRun = [&](const std::string& why) {
    return Failure(out, "cannot write PNG, SVG or PDF files: the plot writer " + PathToLatin1(writer) +
                            " cannot be run (" + PathToLatin1(why) + "); .txt files are written without it");
  };
  if (::access(writer.c_str(), X_OK) != 0) throw cannotRun(std::strerror(errno));
  // One socket pair: the writer reads the job from it as its standard input and
  // answers on it as its standard output.
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) throw cannotRun(std::strerror(errno));
  Descriptor ours(ends[0]), theirs(ends[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, theirs.get(), 0);
  posix_spawn_file_actions_adddup2(&actions, theirs.get(), 1);
  std::string program = writer;
  char* argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, writer.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw cannotRun(std::strerror(spawned));
  theirs.Close();
  SendAll(ours.get(), EncodeJob(job));
  ::shutdown(ours.get(), SHUT_WR);
  const std::string answer = ReceiveAll(ours.get());
  int status = 0;
  pid_t waited = 0;
  do {
    waited = ::waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != pid) throw Failure(out, "the plot writer failed");
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 1 && !answer.empty()) throw Failure(out, answer);
  throw Failure(out, WIFSIGNALED(status) ? "the plot writer stopped on signal " + std::to_string(WTERMSIG(status))
                                         : std::string("the plot writer failed"));
}

}  // namespace

plot::PanelSize CheckDrawingOutput(const DrawingOutput& o, const plot::PanelSize& panel) {
  const bool text = EndsWith(Lower(o.out), ".txt");
  PlotFileKind kind = PlotFileKind::Png;
  if (!text && !KindOf(o.out, kind)) throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  if (o.paper && o.size) throw UsageError("--size does not apply to --paper (the page is A4)");
  if (o.paper && kind == PlotFileKind::Png && !text)
    throw UsageError("--paper writes a PDF or SVG page (or its .txt primitives)");
  if (o.dpi && (text || kind != PlotFileKind::Png)) throw UsageError("--dpi applies to PNG images");
  const plot::PanelSize size =
      o.paper ? plot::PanelSize{plot::A4Width, plot::A4Height} : !o.size ? panel : SizeOf(*o.size);
  if (o.dpi) DpiOf(*o.dpi);
  return size;
}

void WriteDrawing(const DrawingOutput& o, const plot::PanelSize& size,
                  const std::function<void(plot::Surface&)>& draw) {
  plot::RecordingSurface recording(size.Width, size.Height);
  draw(recording);
  if (EndsWith(Lower(o.out), ".txt")) {
    WriteText(o.out, Latin1ToUtf8(recording.Dump()));
    return;
  }
  PlotFileKind kind = PlotFileKind::Png;
  if (!KindOf(o.out, kind)) throw UsageError("--out must name a .svg, .png, .pdf or .txt file: " + o.out);
  PlotFileJob job;
  job.path = o.out;
  job.kind = kind;
  job.width = size.Width;
  job.height = size.Height;
  job.dpi = o.dpi ? DpiOf(*o.dpi) : 96;
  job.paper = o.paper;
  job.primitives = recording.Primitives();
  RunPlotWriter(job, o.out);
}

}  // namespace rmx::cli
