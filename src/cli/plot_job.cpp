// The bytes of a plot writer job (see cli/plot_writer.h); built into both programs.
#include <cstdint>
#include <cstring>

#include "cli/plot_writer.h"

namespace rmx::cli {

namespace {

constexpr char Magic[8] = {'R', 'M', 'X', 'P', 'L', 'O', 'T', '\n'};

class Writer {
 public:
  template <class T>
  void Put(T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out_.append(bytes, sizeof value);
  }
  void Text(std::string_view s) {
    Put(static_cast<uint64_t>(s.size()));
    out_.append(s);
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
  template <class T>
  bool Get(T& value) {
    if (in_.size() < sizeof value) return false;
    std::memcpy(&value, in_.data(), sizeof value);
    in_.remove_prefix(sizeof value);
    return true;
  }
  bool Text(std::string& s) {
    uint64_t n = 0;
    if (!Get(n) || n > in_.size()) return false;
    s.assign(in_.substr(0, n));
    in_.remove_prefix(n);
    return true;
  }
  bool Skip(std::string_view expected) {
    if (in_.substr(0, expected.size()) != expected) return false;
    in_.remove_prefix(expected.size());
    return true;
  }
  bool AtEnd() const { return in_.empty(); }
  size_t Left() const { return in_.size(); }

 private:
  std::string_view in_;
};

// The fixed part of one primitive: kind, five numbers, filled, three colour bytes.
constexpr size_t PrimitiveFixedBytes = 4 + 5 * 8 + 1 + 3;

}  // namespace

std::string EncodeJob(const PlotFileJob& job) {
  Writer w;
  for (char c : Magic) w.Put(c);
  w.Put(static_cast<int32_t>(job.version));
  w.Put(static_cast<int32_t>(job.kind));
  w.Put(job.width);
  w.Put(job.height);
  w.Put(job.dpi);
  w.Put(static_cast<uint8_t>(job.paper));
  w.Text(job.path);
  w.Put(static_cast<uint64_t>(job.primitives.size()));
  for (const plot::Primitive& p : job.primitives) {
    w.Put(static_cast<int32_t>(p.kind));
    for (double v : {p.X1, p.Y1, p.X2, p.Y2, p.Size}) w.Put(v);
    w.Put(static_cast<uint8_t>(p.Filled));
    w.Put(p.Ink.Red);
    w.Put(p.Ink.Green);
    w.Put(p.Ink.Blue);
    w.Text(p.Text);
    w.Text(p.TextFont.Name);
    w.Put(p.TextFont.Points);
  }
  return w.Take();
}

bool DecodeJob(std::string_view bytes, PlotFileJob& job) {
  Reader r(bytes);
  int32_t version = 0, kind = 0;
  if (!r.Skip(std::string_view(Magic, sizeof Magic)) || !r.Get(version)) return false;
  job.version = version;
  if (version != PlotWriterVersion) return false;
  uint8_t paper = 0;
  uint64_t count = 0;
  if (!r.Get(kind) || kind < 0 || kind > static_cast<int32_t>(PlotFileKind::Pdf) || !r.Get(job.width) ||
      !r.Get(job.height) || !r.Get(job.dpi) || !r.Get(paper) || paper > 1 || !r.Text(job.path) || !r.Get(count))
    return false;
  job.kind = static_cast<PlotFileKind>(kind);
  job.paper = paper == 1;
  if (count > r.Left() / PrimitiveFixedBytes) return false;
  job.primitives.assign(static_cast<size_t>(count), {});
  for (plot::Primitive& p : job.primitives) {
    int32_t k = 0;
    uint8_t filled = 0;
    if (!r.Get(k) || k < 0 || k > static_cast<int32_t>(plot::Primitive::Kind::Text)) return false;
    p.kind = static_cast<plot::Primitive::Kind>(k);
    for (double* v : {&p.X1, &p.Y1, &p.X2, &p.Y2, &p.Size})
      if (!r.Get(*v)) return false;
    if (!r.Get(filled) || filled > 1 || !r.Get(p.Ink.Red) || !r.Get(p.Ink.Green) || !r.Get(p.Ink.Blue) ||
        !r.Text(p.Text) || !r.Text(p.TextFont.Name) || !r.Get(p.TextFont.Points))
      return false;
    p.Filled = filled == 1;
  }
  return r.AtEnd();
}

}  // namespace rmx::cli
