// Writes laboratory files in the five layouts from one table of texts, for the
// conversion tests and the benchmark, and the sample file they must become.
//
// Values are given as the texts to write, so every layout carries exactly the same
// digits. The expected sample file is built independently of the converter: values
// through strtof, records through the test builder.
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "convert/lab_file.h"
#include "store/records.h"
#include "store/text.h"
#include "support/magbuilder.h"

namespace rmx::test {

struct LabStep {
  std::string method, level, gdec, ginc, tdec, tinc, intensity, error;
};

struct LabSample {
  std::string name1, name2, meters;
  std::vector<LabStep> steps;
};

struct LabSection {
  std::string name1 = "CRA", name2 = "Crussol";
  std::string lat = "44.90", lon = "4.80", fdec = "-1.6", finc = "60.8";
  std::vector<LabSample> samples;
};

inline const char* LayoutExtension(Layout layout) {
  switch (layout) {
    case Layout::App: return "app";
    case Layout::Tab: return "tab";
    case Layout::Nta: return "nta";
    case Layout::Cma: return "cma";
    case Layout::Txt: return "txt";
  }
  return "";
}

inline const Layout AllLayouts[] = {Layout::App, Layout::Tab, Layout::Nta, Layout::Cma, Layout::Txt};

namespace detail {

// Right-aligned in exactly `width` columns; a text that does not fit is a fault of
// the test data.
inline std::string Col(const std::string& text, int width) {
  if (text.size() > static_cast<size_t>(width)) throw std::invalid_argument("does not fit its columns: " + text);
  return AlignRight(text, width);
}

inline std::string Join(const std::vector<std::string>& fields, char sep) {
  std::string s;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) s += sep;
    s += fields[i];
  }
  return s;
}

}  // namespace detail

// The file's text in one layout, every line ending with `eol`. Line numbers are the
// physical ones; in "app", whose own-line columns hold 4 digits, a sample's own and
// last line numbers are written modulo 10000 (only their difference counts).
inline std::string WriteLab(const LabSection& sec, Layout layout, const std::string& eol = "\r\n") {
  using detail::Col;
  using detail::Join;
  int lines = 1;
  for (const auto& s : sec.samples) lines += 1 + static_cast<int>(s.steps.size());
  const std::string last = std::to_string(lines + 1);
  const std::string count = std::to_string(sec.samples.size());
  std::string out;
  auto line = [&](const std::string& l) { out += l + eol; };
  const char sep = layout == Layout::Cma ? ',' : layout == Layout::Txt ? ' ' : '\t';

  switch (layout) {
    case Layout::App:
      line(AlignLeft(sec.name1 + " " + sec.name2, 16) + Col(sec.lat, 6) + Col(sec.lon, 6) + Col(sec.fdec, 6) +
           Col(sec.finc, 8) + Col(last, 7) + Col(count, 5) + std::string(6, ' ') + Col("1", 4));
      break;
    case Layout::Nta:
      line(Join({sec.name1 + " " + sec.name2, sec.lat, sec.lon, sec.fdec, sec.finc}, sep));
      break;
    case Layout::Txt:
      line(sec.name1 + " " + sec.name2 + "   " + Col(sec.lat, 6) + "  " + Col(sec.lon, 6) + "  " + Col(sec.fdec, 6) +
           "  " + Col(sec.finc, 6) + "  " + last + "  " + count + " 1");
      break;
    default:
      line(Join({sec.name1, sec.name2, sec.lat, sec.lon, sec.fdec, sec.finc, last, count, "1"}, sep));
  }

  int n = 1;
  for (const auto& s : sec.samples) {
    const int own = ++n;
    const int end = own + static_cast<int>(s.steps.size());
    const std::string next = std::to_string(end + 1);
    const std::vector<std::string> orient = {"0.0", "0.0", "0.0", "0.0"};
    switch (layout) {
      case Layout::App: {
        const int own4 = own % 10000;
        line(AlignLeft(s.name1 + " " + s.name2, 16) + Col(s.meters, 6) + "   0.0   0.0   0.0   0.0   " +
             Col(std::to_string(own4 + static_cast<int>(s.steps.size())), 5) + Col(next, 6) +
             Col(std::to_string(own4), 4));
        break;
      }
      case Layout::Nta:
        line(Join({s.name1, s.name2, s.meters, "0.0", "0.0", "0.0", "0.0"}, sep));
        break;
      case Layout::Txt:
        line(s.name1 + " " + s.name2 + "      " + Col(s.meters, 6) + "    0.0    0.0    0.0    0.0  " +
             std::to_string(end) + "  " + next + "  " + std::to_string(own));
        break;
      default:
        line(Join({s.name1, s.name2, s.meters, "0.0", "0.0", "0.0", "0.0", std::to_string(end), next,
                   std::to_string(own)},
                  sep));
    }
    for (const auto& st : s.steps) {
      const std::string own = std::to_string(++n);
      const std::string ml = AlignLeft(st.method, 3) + AlignRight(st.level, 3);
      switch (layout) {
        case Layout::App:
          line(AlignLeft(s.name1 + " " + s.name2, 14) + AlignLeft(st.method, 3) + Col(st.level, 3) + Col(st.gdec, 7) +
               Col(st.ginc, 5) + " " + Col(st.tdec, 6) + Col(st.tinc, 5) + "  " + Col(st.intensity, 8) + " " +
               Col(st.error, 5) + Col(std::to_string(n % 10000), 4));
          break;
        case Layout::Nta:
          line(Join({s.name1, s.name2, ml, st.gdec, st.ginc, st.tdec, st.tinc, st.intensity, st.error}, sep));
          break;
        case Layout::Txt:
          line(s.name1 + " " + s.name2 + "    " + st.method + "  " + st.level + "  " + Col(st.gdec, 6) + " " +
               Col(st.ginc, 5) + "  " + Col(st.tdec, 6) + " " + Col(st.tinc, 5) + " " + st.intensity + "  " +
               st.error + "    " + own);
          break;
        default:
          line(Join({s.name1, s.name2, ml, st.gdec, st.ginc, st.tdec, st.tinc, st.intensity, st.error, own}, sep));
      }
    }
  }
  return out;
}

inline float Value(const std::string& text) { return std::strtof(text.c_str(), nullptr); }

// The sample file the section must become.
inline std::vector<Slot> ExpectedSlots(const LabSection& sec) {
  SectionPlan built;
  built.name = sec.name1 + " " + sec.name2;
  built.latitude = Value(sec.lat);
  built.longitude = Value(sec.lon);
  for (const auto& s : sec.samples) {
    SamplePlan ss;
    ss.name = s.name1 + " " + s.name2;
    ss.meters = Value(s.meters);
    for (const auto& st : s.steps)
      ss.steps.push_back(Step(st.method.c_str(), Value(st.level), Value(st.gdec), Value(st.ginc), Value(st.tdec),
                              Value(st.tinc), Value(st.intensity), Value(st.error)));
    built.samples.push_back(std::move(ss));
  }
  std::vector<Slot> out = BuildSlots(built);
  SectionHeader h = DecodeSectionHeader(out[0]);
  h.FieldDec = Value(sec.fdec);
  h.FieldInc = Value(sec.finc);
  out[0] = Encode(h);
  return out;
}

inline std::string Bytes(const std::vector<Slot>& records) {
  std::string b;
  for (const auto& s : records) b.append(reinterpret_cast<const char*>(s.data()), s.size());
  return b;
}

// A thermal sample of two steps and an AF sample of one.
inline LabSection TwoSampleSection() {
  LabSection sec;
  sec.samples = {{"CRA", "101", "1.50",
                  {{"NRM", "0", "318.0", "55.1", "320.4", "48.9", "2.71E-02", "0.08"},
                   {"TT", "250", "12.3", "-4.8", "359.9", "80.0", "1.05E-03", "1.25"}}},
                 {"CRA", "102", "2.00", {{"AF", "020", "185.2", "-51.0", "190.0", "-45.5", "3.00E-06", "0.30"}}}};
  return sec;
}

// A section of `samples` samples with `steps` measured steps each (NRM, then thermal
// steps 10 degrees apart), values varying from line to line.
inline LabSection FullLabSection(int samples = 500, int steps = 49) {
  LabSection sec;
  sec.name1 = "Full";
  sec.name2 = "Section";
  for (int i = 0; i < samples; ++i) {
    LabSample s;
    s.name1 = "FS" + std::to_string(1000 + i);
    s.name2 = "a";
    s.meters = Format(0.5 * i, "0.00");
    for (int k = 0; k < steps; ++k) {
      const double f = k;
      s.steps.push_back({k == 0 ? "NRM" : "TT", std::to_string(10 * k), Format(10.0 + (i % 300) + 0.3 * f, "0.0"),
                         Format(55.5 - 0.5 * f, "0.0"), Format(20.2 + 0.4 * f, "0.0"), Format(48.0 - 0.5 * f, "0.0"),
                         Format(2.71e-2 / (1.0 + f), "Scientific"), Format(0.1 + 0.01 * f, "0.00")});
    }
    sec.samples.push_back(std::move(s));
  }
  return sec;
}

}  // namespace rmx::test
