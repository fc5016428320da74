#include "convert/lab_file.h"

#include <algorithm>
#include <cstring>

#include "store/errors.h"
#include "store/numread.h"
#include "store/text.h"

namespace rmx {

ConvertError::ConvertError(int number, int64_t line)
    : std::runtime_error(ErrorDescription(number) + " (line " + std::to_string(line) + ")"),
      number(number),
      line(line) {}

std::optional<Layout> LayoutOf(std::string_view fileName) {
  if (fileName.size() < 3) return std::nullopt;
  std::string ext(fileName.substr(fileName.size() - 3));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == "app") return Layout::App;
  if (ext == "tab") return Layout::Tab;
  if (ext == "nta") return Layout::Nta;
  if (ext == "cma") return Layout::Cma;
  if (ext == "txt") return Layout::Txt;
  return std::nullopt;
}

std::span<const AppField> AppSectionFields() {
  using namespace app_columns;
  static constexpr AppField fields[] = {
      {SectionName, "Section name"},
      {Latitude, "Latitude of the section (degrees)"},
      {Longitude, "Longitude of the section (degrees)"},
      {FieldDec, "Declination of the present field"},
      {FieldInc, "Inclination of the present field"},
      {LastLine, "Last line number of the file"},
      {SampleCount, "Number of samples"},
      {OwnLine, "Own line number (1)"},
  };
  return fields;
}

std::span<const AppField> AppSampleFields() {
  using namespace app_columns;
  static constexpr AppField fields[] = {
      {SampleName, "Sample name"},
      {Meters, "Stratigraphic level (metres)"},
      {Orientations, "Field and bed orientations (not read)"},
      {SampleLastLine, "Line number of the sample's last step"},
      {NextSampleLine, "Line number of the next sample header"},
      {OwnLine, "Own line number"},
  };
  return fields;
}

std::span<const AppField> AppStepFields() {
  using namespace app_columns;
  static constexpr AppField fields[] = {
      {StepSampleName, "Sample name (not read)"},
      {Method, "Method: NRM, TT or AF"},
      {Level, "Level: degrees C or mT"},
      {GDec, "Declination, geographic"},
      {GInc, "Inclination, geographic"},
      {TDec, "Declination, tilt-corrected"},
      {TInc, "Inclination, tilt-corrected"},
      {Intensity, "Intensity"},
      {Error, "Error"},
      {OwnLine, "Own line number (not read)"},
  };
  return fields;
}

namespace {

// The closing step of every sample is read from this line by the step columns of
// "app": "ORG" in columns 15-17 and a 0 in every value field.
constexpr std::string_view OriginLine = "              ORG  0      0    0      0    0         0    0     ";

bool IsBlank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// True when no byte of the text is above 0x7F, eight bytes at a time.
bool IsAscii(std::string_view bytes) {
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if (word & 0x8080808080808080u) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

// The lines of the input, in order, read in place from the one buffer. Lines end in
// CR LF, LF or CR (a CR is never part of a line); blank lines at the end of the file
// are not lines. A valid UTF-8 file with non-ASCII characters is read as UTF-8 and
// each line turned into ISO 8859-1 when it is read; any other file is ISO 8859-1
// already. A line read stays valid until the next one is read.
class LineReader {
 public:
  // Where the reading stands: the byte of the next line and the lines read.
  struct Position {
    size_t byte = 0;
    int64_t lines = 0;
  };

  explicit LineReader(std::string_view bytes) {
    utf8_ = !IsAscii(bytes) && IsNonAsciiUtf8(bytes);
    if (utf8_ && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // byte-order mark
    // The lines end with the last one that is not blank: the end of the line that
    // holds the last byte other than a blank or a line end.
    size_t end = bytes.find_last_not_of(" \t\r\n");
    end = end == std::string_view::npos ? 0 : bytes.find_first_of("\r\n", end);
    bytes_ = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end);
  }

  size_t Size() const { return bytes_.size(); }

  // The next line; the end of the input here is error 62 at the line it expected.
  std::string_view Next() {
    if (AtEnd()) throw ConvertError(ErrorNumber::PastEndOfFile, at_.lines + 1);
    return Take();
  }

  // The next line that is not empty or blank-only; nothing at the end of the input.
  std::optional<std::string_view> NextNonBlank() {
    while (!AtEnd()) {
      const std::string_view raw = Raw();
      if (!IsBlank(raw)) return Latin1(raw);
    }
    return std::nullopt;
  }

  // The number of the line last read (1 for the first line).
  int64_t Number() const { return at_.lines; }
  Position Here() const { return at_; }
  // Goes back so that the line after `position` is read next.
  void Rewind(Position position) {
    at_ = position;
    nextCr_ = nextLf_ = Unknown;
  }

 private:
  bool AtEnd() const { return at_.byte >= bytes_.size(); }

  // The next line as stored, and the position after it.
  std::string_view Raw() {
    const size_t start = at_.byte;
    // The next CR and the next LF are looked for only once the reading has passed
    // the last ones found, so that files of one line-end kind are scanned once.
    if (nextCr_ == Unknown || nextCr_ < start) nextCr_ = Find('\r', start);
    if (nextLf_ == Unknown || nextLf_ < start) nextLf_ = Find('\n', start);
    const size_t end = std::min(nextCr_, nextLf_);
    size_t after = end + 1;
    if (end == nextCr_ && end + 1 == nextLf_) ++after;  // CR LF
    at_.byte = after;
    ++at_.lines;
    return bytes_.substr(start, end - start);
  }

  size_t Find(char c, size_t from) const {
    const void* p = std::memchr(bytes_.data() + from, c, bytes_.size() - from);
    return p ? static_cast<size_t>(static_cast<const char*>(p) - bytes_.data()) : bytes_.size();
  }

  std::string_view Take() { return Latin1(Raw()); }

  std::string_view Latin1(std::string_view raw) {
    if (!utf8_) return raw;
    if (!Utf8ToLatin1(raw, latin1_)) throw ConvertError(ErrorNumber::InvalidCall, Number());
    return latin1_;
  }

  std::string_view bytes_;
  Position at_;
  static constexpr size_t Unknown = std::string_view::npos;
  size_t nextCr_ = Unknown, nextLf_ = Unknown;
  bool utf8_ = false;
  std::string latin1_;
};

float SingleOf(std::string_view text, int64_t line) {
  const auto v = ReadSingle(text);
  if (!v) throw ConvertError(ErrorNumber::TypeMismatch, line);
  return *v;
}

int32_t WholeOf(std::string_view text, int64_t line) {
  const auto v = ReadWhole(text);
  if (!v) throw ConvertError(ErrorNumber::TypeMismatch, line);
  return *v;
}

// Cuts the fields of a delimited line from left to right. The first field is the
// text before the first separator. Every further field is found by dropping the
// previous field and the separator after it, then any run of separators, and taking
// the text up to the next separator (or the rest of the line). A field asked for
// past the end of the line is missing: error 5. Fields after the ones a line needs
// are never looked at.
class Fields {
 public:
  Fields(std::string_view line, char separator, int64_t number)
      : line_(line), sep_(separator), number_(number) {}

  std::string_view First() {
    pos_ = Find(0);
    return line_.substr(0, pos_);
  }

  // The text directly between the separator that ends the previous field and the
  // next separator: the second name part of "tab", "cma" and "nta", which must
  // follow the first after exactly one separator.
  std::string_view Adjacent() {
    if (pos_ == std::string_view::npos) Missing();
    const size_t begin = pos_ + 1;
    return Cut(begin);
  }

  std::string_view Next() {
    if (pos_ == std::string_view::npos) Missing();
    size_t begin = pos_;
    while (begin < line_.size() && line_[begin] == sep_) ++begin;
    if (begin == line_.size()) Missing();
    return Cut(begin);
  }

  float NextSingle() { return SingleOf(Next(), number_); }
  int32_t NextWhole() { return WholeOf(Next(), number_); }
  int64_t Line() const { return number_; }

 private:
  std::string_view Cut(size_t begin) {
    pos_ = Find(begin);
    return line_.substr(begin, pos_ == std::string_view::npos ? std::string_view::npos : pos_ - begin);
  }
  [[noreturn]] void Missing() const { throw ConvertError(ErrorNumber::InvalidCall, number_); }
  // The next separator from `from`, or npos. Fields are a few characters long: a
  // plain loop finds their end sooner than a call to memchr.
  size_t Find(size_t from) const {
    for (size_t i = from; i < line_.size(); ++i)
      if (line_[i] == sep_) return i;
    return std::string_view::npos;
  }

  std::string_view line_;
  char sep_;
  int64_t number_;
  size_t pos_ = 0;
};

// The number in columns `first` to `last` (from 1) of a fixed-column line: the part
// of the line that reaches into them. The reader ignores the blanks that would pad
// a shorter line.
std::string_view ColumnText(std::string_view line, ColumnRange range) {
  const auto [first, last] = range;
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

// Columns `first` to `last` (from 1) of a fixed-column line; a line shorter than
// the columns reads as padded with spaces.
std::string Columns(std::string_view line, ColumnRange range) {
  const auto [first, last] = range;
  std::string out(last - first + 1, ' ');
  if (line.size() >= first) {
    const std::string_view part = line.substr(first - 1, last - first + 1);
    std::copy(part.begin(), part.end(), out.begin());
  }
  return out;
}

char SeparatorOf(Layout layout) {
  switch (layout) {
    case Layout::Tab:
    case Layout::Nta: return '\t';
    case Layout::Cma: return ',';
    case Layout::Txt: return ' ';
    case Layout::App: break;
  }
  return '\0';
}

std::string Join(std::string_view a, std::string_view b) {
  std::string s(a);
  s += ' ';
  s += b;
  return s;
}

// The name of a "txt" line: two fields, and a third when the field after the second
// is not a number. Returns the field after the name.
std::string_view TxtName(Fields& f, std::string& name) {
  const std::string_view first = f.First();
  name = Join(first, f.Next());
  const std::string_view third = f.Next();
  if (ReadNumber(third)) return third;
  name = Join(name, third);
  return f.Next();
}

// Join(a, b) cut or padded to a stored name, built in `buffer`.
std::string_view JoinedName(std::string_view a, std::string_view b, char (&buffer)[NameWidth]) {
  std::memset(buffer, ' ', NameWidth);
  const size_t na = std::min<size_t>(a.size(), NameWidth);
  if (na > 0) std::memcpy(buffer, a.data(), na);
  const size_t nb = na < NameWidth ? std::min<size_t>(b.size(), NameWidth - na - 1) : 0;
  if (nb > 0) std::memcpy(buffer + na + 1, b.data(), nb);
  return {buffer, NameWidth};
}

bool IsTxtMethod(std::string_view field) { return field == "TT" || field == "NRM" || field == "AF"; }

struct SectionLine {
  SectionHeader header;
  int32_t lastLine = 0;  // the last line number of the file, as given
};

struct SampleLine {
  std::string name;
  float meters = 0;
  int32_t lastLine = 0;  // the sample's last line
  int32_t nextLine = 0;  // the line of the next sample header
  int32_t ownLine = 0;
};

SectionLine ReadSectionLine(Layout layout, std::string_view text, int64_t number) {
  SectionLine s;
  SectionHeader& h = s.header;
  std::string name;
  if (layout == Layout::App) {
    name = Columns(text, app_columns::SectionName);
    h.Latitude = SingleOf(ColumnText(text, app_columns::Latitude), number);
    h.Longitude = SingleOf(ColumnText(text, app_columns::Longitude), number);
    h.FieldDec = SingleOf(ColumnText(text, app_columns::FieldDec), number);
    h.FieldInc = SingleOf(ColumnText(text, app_columns::FieldInc), number);
    s.lastLine = WholeOf(ColumnText(text, app_columns::LastLine), number);
    h.SampleCount = WholeOf(ColumnText(text, app_columns::SampleCount), number);
    h.RecordNumber = WholeOf(ColumnText(text, app_columns::OwnLine), number);
  } else {
    Fields f(text, SeparatorOf(layout), number);
    if (layout == Layout::Nta) {
      name = f.First();
      h.Latitude = SingleOf(f.Adjacent(), number);
    } else if (layout == Layout::Txt) {
      h.Latitude = SingleOf(TxtName(f, name), number);
    } else {
      const std::string_view first = f.First();
      name = Join(first, f.Adjacent());
      h.Latitude = f.NextSingle();
    }
    h.Longitude = f.NextSingle();
    h.FieldDec = f.NextSingle();
    h.FieldInc = f.NextSingle();
    if (layout == Layout::Nta) {
      h.RecordNumber = 1;  // counted, not given
    } else {
      s.lastLine = f.NextWhole();
      h.SampleCount = f.NextWhole();
      h.RecordNumber = f.NextWhole();
    }
  }
  h.SectionName = FixedText(name, NameWidth);
  return s;
}

SampleLine ReadSampleLine(Layout layout, std::string_view text, int64_t number) {
  SampleLine s;
  if (layout == Layout::App) {
    s.name = Columns(text, app_columns::SampleName);
    s.meters = SingleOf(ColumnText(text, app_columns::Meters), number);
    s.lastLine = WholeOf(ColumnText(text, app_columns::SampleLastLine), number);
    s.nextLine = WholeOf(ColumnText(text, app_columns::NextSampleLine), number);
    s.ownLine = WholeOf(ColumnText(text, app_columns::OwnLine), number);
  } else {
    Fields f(text, SeparatorOf(layout), number);
    if (layout == Layout::Txt) {
      s.meters = SingleOf(TxtName(f, s.name), number);
    } else {
      const std::string_view first = f.First();
      s.name = Join(first, f.Adjacent());
      s.meters = f.NextSingle();
    }
    if (layout != Layout::Nta) {  // "nta" ignores the rest of the line
      for (int k = 0; k < 4; ++k) f.Next();  // field and bed orientations, not used
      s.lastLine = f.NextWhole();
      s.nextLine = f.NextWhole();
      s.ownLine = f.NextWhole();
    }
  }
  s.name = FixedText(s.name, NameWidth);
  return s;
}

StepRecord ReadStepLine(Layout layout, std::string_view text, int64_t number) {
  StepRecord r;
  if (layout == Layout::App) {
    r.Method = Columns(text, app_columns::Method);
    r.Level = SingleOf(ColumnText(text, app_columns::Level), number);
    r.GDec = SingleOf(ColumnText(text, app_columns::GDec), number);
    r.GInc = SingleOf(ColumnText(text, app_columns::GInc), number);
    r.TDec = SingleOf(ColumnText(text, app_columns::TDec), number);
    r.TInc = SingleOf(ColumnText(text, app_columns::TInc), number);
    r.Intensity = SingleOf(ColumnText(text, app_columns::Intensity), number);
    r.Error = SingleOf(ColumnText(text, app_columns::Error), number);
  } else {
    Fields f(text, SeparatorOf(layout), number);
    f.First();  // the sample name
    if (layout == Layout::Txt) {
      f.Next();
      std::string_view method = f.Next();
      if (!IsTxtMethod(method)) {
        // A third part of the sample name: the method must follow it.
        method = f.Next();
        if (!IsTxtMethod(method)) throw ConvertError(ErrorNumber::TypeMismatch, number);
      }
      r.Method = FixedText(method, CodeWidth);
      r.Level = f.NextSingle();
    } else {
      f.Adjacent();
      // One field such as "NRM  0" or "TT 250": the method is its first three
      // characters, the level the rest of it.
      const std::string_view field = f.Next();
      r.Method = FixedText(field.substr(0, CodeWidth), CodeWidth);
      r.Level = SingleOf(field.substr(std::min<size_t>(field.size(), CodeWidth)), number);
    }
    r.GDec = f.NextSingle();
    r.GInc = f.NextSingle();
    r.TDec = f.NextSingle();
    r.TInc = f.NextSingle();
    r.Intensity = f.NextSingle();
    r.Error = f.NextSingle();
  }
  r.LSquare = 0;
  r.Plot = 1;
  return r;
}

// Lays the records out as the sample file holds them: slot 1 for the section
// header, then per sample its header, its steps and its origin step.
class SlotWriter {
 public:
  // `inputBytes`: the size of the laboratory file, from which the slots are guessed
  // (a line of at least 16 bytes each, a file's worth at most) so that they are
  // seldom moved while they grow.
  explicit SlotWriter(size_t inputBytes) : slots_(1) {
    slots_.reserve(std::min(1 + static_cast<size_t>(MaxSamples) * (MaxSteps + 1), inputBytes / 16 + 2));
    origin_ = ReadStepLine(Layout::App, OriginLine, 0);
    origin_.Plot = 0;
  }

  // A sample with its measured steps; the 501st sample is refused at its header line.
  void Sample(const SampleLine& line, const std::vector<StepRecord>& steps) {
    SampleHeader h;
    h.SampleName = line.name;
    h.Meters = line.meters;
    h.LSquareRecord = 0;
    h.StepCount = static_cast<int32_t>(steps.size()) + 1;
    h.NextSample = r_ + h.StepCount + 1;
    h.ProjectionDec = 0;
    h.Active = 1;
    slots_.push_back(Encode(h));
    for (const auto& s : steps) slots_.push_back(Encode(s));
    slots_.push_back(Encode(origin_));
    r_ = h.NextSample;
    ++samples_;
  }

  bool Full() const { return samples_ >= MaxSamples; }

  // Slot 1: the section header with the samples actually written and the first slot
  // after the last sample.
  std::vector<Slot, BlockAllocator<Slot>> Finish(SectionHeader section) {
    section.LastRecord = r_;
    section.SampleCount = samples_;
    slots_[0] = Encode(section);
    return std::move(slots_);
  }

 private:
  std::vector<Slot, BlockAllocator<Slot>> slots_;
  StepRecord origin_;
  int32_t r_ = 2;
  int32_t samples_ = 0;
};

// "app", "tab", "cma", "txt": samples follow each other while the next sample
// header's number, as given, is smaller than the last line number of the file; each
// takes the (last line - own line) lines after its header as its steps.
Converted ReadNumbered(LineReader& in, Layout layout) {
  const std::string_view first = in.Next();
  const SectionLine section = ReadSectionLine(layout, first, in.Number());
  SlotWriter out(in.Size());
  std::vector<StepRecord> steps;
  int64_t next = 2;
  while (next < section.lastLine) {
    const std::string_view text = in.Next();
    const int64_t headerLine = in.Number();
    const SampleLine sample = ReadSampleLine(layout, text, headerLine);
    const int64_t measured = static_cast<int64_t>(sample.lastLine) - sample.ownLine;
    if (measured < 0 || out.Full()) throw ConvertError(ErrorNumber::SubscriptRange, headerLine);
    steps.clear();
    for (int64_t k = 1; k <= measured; ++k) {
      const std::string_view stepText = in.Next();
      // With its origin step a sample holds at most 50 step slots.
      if (k >= MaxSteps) throw ConvertError(ErrorNumber::SubscriptRange, in.Number());
      steps.push_back(ReadStepLine(layout, stepText, in.Number()));
    }
    out.Sample(sample, steps);
    next = sample.nextLine;
  }
  return {out.Finish(section.header), in.Number()};
}

// "nta", in two passes. The first groups the lines by name (the first two fields,
// cut or padded to 16): a line whose name differs from the current sample's starts
// a new sample and is its header. The second reads each header and its counted
// steps. Blank lines are skipped in both passes.
Converted ReadNta(LineReader& in) {
  const std::string_view first = in.Next();
  const SectionLine section = ReadSectionLine(Layout::Nta, first, in.Number());
  const LineReader::Position afterHeader = in.Here();

  struct Group {
    std::string name;
    int steps = 0;
  };
  std::vector<Group> groups;
  char nameBuffer[NameWidth];
  while (const auto text = in.NextNonBlank()) {
    Fields f(*text, '\t', in.Number());
    const std::string_view part1 = f.First();
    const std::string_view name = JoinedName(part1, f.Adjacent(), nameBuffer);
    if (groups.empty() || groups.back().name != name) {
      if (groups.size() >= static_cast<size_t>(MaxSamples))
        throw ConvertError(ErrorNumber::SubscriptRange, in.Number());
      groups.push_back({std::string(name), 0});
    } else if (++groups.back().steps >= MaxSteps) {
      throw ConvertError(ErrorNumber::SubscriptRange, in.Number());
    }
  }
  const int64_t lastLine = in.Number();

  in.Rewind(afterHeader);
  SlotWriter out(in.Size());
  std::vector<StepRecord> steps;
  auto nextLine = [&in] {
    auto text = in.NextNonBlank();
    if (!text) throw ConvertError(ErrorNumber::PastEndOfFile, in.Number() + 1);
    return *text;
  };
  for (const Group& g : groups) {
    SampleLine sample = ReadSampleLine(Layout::Nta, nextLine(), in.Number());
    sample.name = g.name;
    steps.clear();
    for (int k = 0; k < g.steps; ++k) {
      const std::string_view text = nextLine();
      steps.push_back(ReadStepLine(Layout::Nta, text, in.Number()));
    }
    out.Sample(sample, steps);
  }
  return {out.Finish(section.header), lastLine};
}

}  // namespace

Converted ReadLaboratoryFile(std::string_view bytes, Layout layout) {
  LineReader in(bytes);
  if (layout == Layout::Nta) return ReadNta(in);
  return ReadNumbered(in, layout);
}

}  // namespace rmx
