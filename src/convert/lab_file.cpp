#include "convert/lab_file.h"

#include <algorithm>

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

// The lines of the input, in order. Lines end in CR LF, LF or CR (a CR is never part
// of a line); blank lines at the end of the file are not lines. A valid UTF-8 file
// with non-ASCII characters is read as UTF-8 and each line turned into ISO 8859-1
// when it is read; any other file is ISO 8859-1 already.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) {
    utf8_ = IsNonAsciiUtf8(bytes);
    if (utf8_ && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // byte-order mark
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != '\r' && bytes[i] != '\n') continue;
      lines_.push_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
    if (start < bytes.size()) lines_.push_back(bytes.substr(start));
    while (!lines_.empty() && IsBlank(lines_.back())) lines_.pop_back();
  }

  // The next line; the end of the input here is error 62 at the line it expected.
  std::string Next() {
    if (next_ >= lines_.size()) throw ConvertError(ErrorNumber::PastEndOfFile, static_cast<int64_t>(next_) + 1);
    return Take();
  }

  // The next line that is not empty or blank-only; nothing at the end of the input.
  std::optional<std::string> NextNonBlank() {
    while (next_ < lines_.size() && IsBlank(lines_[next_])) ++next_;
    if (next_ >= lines_.size()) return std::nullopt;
    return Take();
  }

  // The number of the line last read (1 for the first line).
  int64_t Number() const { return static_cast<int64_t>(next_); }
  // Goes back so that the line after line `number` is read next.
  void Rewind(int64_t number) { next_ = static_cast<size_t>(number); }

 private:
  std::string Take() {
    const std::string_view raw = lines_[next_++];
    if (!utf8_) return std::string(raw);
    std::string latin1;
    if (!Utf8ToLatin1(raw, latin1)) throw ConvertError(ErrorNumber::InvalidCall, Number());
    return latin1;
  }

  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  bool utf8_ = false;
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
    pos_ = line_.find(sep_);
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
    pos_ = line_.find(sep_, begin);
    return line_.substr(begin, pos_ == std::string_view::npos ? std::string_view::npos : pos_ - begin);
  }
  [[noreturn]] void Missing() const { throw ConvertError(ErrorNumber::InvalidCall, number_); }

  std::string_view line_;
  char sep_;
  int64_t number_;
  size_t pos_ = 0;
};

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
    h.Latitude = SingleOf(Columns(text, app_columns::Latitude), number);
    h.Longitude = SingleOf(Columns(text, app_columns::Longitude), number);
    h.FieldDec = SingleOf(Columns(text, app_columns::FieldDec), number);
    h.FieldInc = SingleOf(Columns(text, app_columns::FieldInc), number);
    s.lastLine = WholeOf(Columns(text, app_columns::LastLine), number);
    h.SampleCount = WholeOf(Columns(text, app_columns::SampleCount), number);
    h.RecordNumber = WholeOf(Columns(text, app_columns::OwnLine), number);
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
    s.meters = SingleOf(Columns(text, app_columns::Meters), number);
    s.lastLine = WholeOf(Columns(text, app_columns::SampleLastLine), number);
    s.nextLine = WholeOf(Columns(text, app_columns::NextSampleLine), number);
    s.ownLine = WholeOf(Columns(text, app_columns::OwnLine), number);
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
    r.Level = SingleOf(Columns(text, app_columns::Level), number);
    r.GDec = SingleOf(Columns(text, app_columns::GDec), number);
    r.GInc = SingleOf(Columns(text, app_columns::GInc), number);
    r.TDec = SingleOf(Columns(text, app_columns::TDec), number);
    r.TInc = SingleOf(Columns(text, app_columns::TInc), number);
    r.Intensity = SingleOf(Columns(text, app_columns::Intensity), number);
    r.Error = SingleOf(Columns(text, app_columns::Error), number);
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
  SlotWriter() : slots_(1) {
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
  std::vector<Slot> Finish(SectionHeader section) {
    section.LastRecord = r_;
    section.SampleCount = samples_;
    slots_[0] = Encode(section);
    return std::move(slots_);
  }

 private:
  std::vector<Slot> slots_;
  StepRecord origin_;
  int32_t r_ = 2;
  int32_t samples_ = 0;
};

// "app", "tab", "cma", "txt": samples follow each other while the next sample
// header's number, as given, is smaller than the last line number of the file; each
// takes the (last line - own line) lines after its header as its steps.
Converted ReadNumbered(LineReader& in, Layout layout) {
  const std::string first = in.Next();
  const SectionLine section = ReadSectionLine(layout, first, in.Number());
  SlotWriter out;
  std::vector<StepRecord> steps;
  int64_t next = 2;
  while (next < section.lastLine) {
    const std::string text = in.Next();
    const int64_t headerLine = in.Number();
    const SampleLine sample = ReadSampleLine(layout, text, headerLine);
    const int64_t measured = static_cast<int64_t>(sample.lastLine) - sample.ownLine;
    if (measured < 0 || out.Full()) throw ConvertError(ErrorNumber::SubscriptRange, headerLine);
    steps.clear();
    for (int64_t k = 1; k <= measured; ++k) {
      const std::string stepText = in.Next();
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
  const std::string first = in.Next();
  const SectionLine section = ReadSectionLine(Layout::Nta, first, in.Number());
  const int64_t afterHeader = in.Number();

  struct Group {
    std::string name;
    int steps = 0;
  };
  std::vector<Group> groups;
  while (const auto text = in.NextNonBlank()) {
    Fields f(*text, '\t', in.Number());
    const std::string_view part1 = f.First();
    const std::string name = FixedText(Join(part1, f.Adjacent()), NameWidth);
    if (groups.empty() || groups.back().name != name) {
      if (groups.size() >= static_cast<size_t>(MaxSamples))
        throw ConvertError(ErrorNumber::SubscriptRange, in.Number());
      groups.push_back({name, 0});
    } else if (++groups.back().steps >= MaxSteps) {
      throw ConvertError(ErrorNumber::SubscriptRange, in.Number());
    }
  }
  const int64_t lastLine = in.Number();

  in.Rewind(afterHeader);
  SlotWriter out;
  std::vector<StepRecord> steps;
  auto nextLine = [&in] {
    auto text = in.NextNonBlank();
    if (!text) throw ConvertError(ErrorNumber::PastEndOfFile, in.Number() + 1);
    return std::move(*text);
  };
  for (const Group& g : groups) {
    SampleLine sample = ReadSampleLine(Layout::Nta, nextLine(), in.Number());
    sample.name = g.name;
    steps.clear();
    for (int k = 0; k < g.steps; ++k) {
      const std::string text = nextLine();
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
