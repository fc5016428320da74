#include "help/guide.h"

#include <span>
#include <string_view>
#include <vector>

#include "remanex_version.h"
#include "store/text.h"

namespace rmx {

namespace {

constexpr std::string_view Crlf = "\r\n";

// The example section every layout of the guide carries: two samples of thermal
// steps. Values are the texts written to the files.
struct ExampleStep {
  const char* method;
  const char* level;
  const char* values[6];  // GDec, GInc, TDec, TInc, intensity, error
};

struct ExampleSample {
  const char* name[2];
  const char* meters;
  const char* orientations[4];  // not read by the converter
  std::vector<ExampleStep> steps;
};

const char* const SectionName[2] = {"CRA", "Crussol"};
const char* const SectionValues[4] = {"44.90", "4.80", "-1.6", "60.8"};

const std::vector<ExampleSample>& ExampleSamples() {
  static const std::vector<ExampleSample> samples = {
      {{"CRA", "101"},
       "0.50",
       {"217", "-33", "118", "24"},
       {{"NRM", "0", {"318.0", "80.8", "344.8", "75.0", "2.71E-02", "0.08"}},
        {"TT", "100", {"320.5", "78.2", "343.0", "72.4", "2.52E-02", "0.10"}},
        {"TT", "200", {"325.1", "70.3", "341.2", "64.6", "1.96E-02", "0.12"}}}},
      {{"CRA", "102"},
       "1.25",
       {"204", "-41", "118", "24"},
       {{"NRM", "0", {"12.4", "55.0", "30.2", "48.1", "3.40E-02", "0.05"}},
        {"TT", "100", {"10.8", "54.2", "28.6", "47.5", "3.12E-02", "0.06"}},
        {"TT", "200", {"8.9", "52.7", "26.5", "46.2", "2.44E-02", "0.07"}},
        {"TT", "300", {"6.2", "51.5", "24.0", "45.3", "1.70E-02", "0.09"}}}},
  };
  return samples;
}

// Puts `text` into the columns of a fixed-column line, right-aligned (left-aligned
// for names and methods).
void Place(std::string& line, ColumnRange r, std::string_view text, bool left = false) {
  const size_t width = r.last - r.first + 1;
  const std::string field = left ? AlignLeft(text, static_cast<int>(width)) : AlignRight(text, static_cast<int>(width));
  line.replace(r.first - 1, width, field);
}

std::string Joined(std::initializer_list<std::string_view> parts, std::string_view separator) {
  std::string s;
  for (std::string_view p : parts) {
    if (!s.empty()) s += separator;
    s += p;
  }
  return s;
}

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) (out += l) += Crlf;
  return out;
}

std::string AppExample() {
  namespace c = app_columns;
  const auto& samples = ExampleSamples();
  std::vector<std::string> lines;
  lines.emplace_back(64, ' ');
  int line = 1;
  for (const auto& s : samples) {
    std::string h(64, ' ');
    const int own = ++line;
    const int last = own + static_cast<int>(s.steps.size());
    Place(h, c::SampleName, Joined({s.name[0], s.name[1]}, " "), true);
    Place(h, c::Meters, s.meters);
    Place(h, c::Orientations, Joined({s.orientations[0], s.orientations[1], s.orientations[2], s.orientations[3]}, "  "));
    Place(h, c::SampleLastLine, std::to_string(last));
    Place(h, c::NextSampleLine, std::to_string(last + 1));
    Place(h, c::OwnLine, std::to_string(own));
    lines.push_back(h);
    for (const auto& st : s.steps) {
      std::string l(64, ' ');
      Place(l, c::StepSampleName, Joined({s.name[0], s.name[1]}, " "), true);
      Place(l, c::Method, st.method, true);
      Place(l, c::Level, st.level);
      const ColumnRange values[6] = {c::GDec, c::GInc, c::TDec, c::TInc, c::Intensity, c::Error};
      for (int k = 0; k < 6; ++k) Place(l, values[k], st.values[k]);
      Place(l, c::OwnLine, std::to_string(++line));
      lines.push_back(l);
    }
  }
  std::string& first = lines.front();
  Place(first, c::SectionName, Joined({SectionName[0], SectionName[1]}, " "), true);
  const ColumnRange header[4] = {c::Latitude, c::Longitude, c::FieldDec, c::FieldInc};
  for (int k = 0; k < 4; ++k) Place(first, header[k], SectionValues[k]);
  Place(first, c::LastLine, std::to_string(line + 1));
  Place(first, c::SampleCount, std::to_string(samples.size()));
  Place(first, c::OwnLine, "1");
  return JoinedLines(lines);
}

// The delimited layouts: the same fields, in the same order, between separators.
std::string DelimitedExample(Layout layout) {
  const std::string_view sep = layout == Layout::Cma ? "," : layout == Layout::Txt ? " " : "\t";
  const bool numbered = layout != Layout::Nta;
  const bool spaced = layout == Layout::Txt;
  const auto& samples = ExampleSamples();
  int total = 1;
  for (const auto& s : samples) total += 1 + static_cast<int>(s.steps.size());

  std::vector<std::string> lines;
  std::vector<std::string> f;
  auto emit = [&] {
    std::string l;
    for (size_t i = 0; i < f.size(); ++i) {
      if (i) l += sep;
      // The space-delimited file lines its numbers up in columns, as laboratories write it.
      l += spaced && i >= 2 ? AlignRight(f[i], 8) : f[i];
    }
    lines.push_back(l);
    f.clear();
  };
  if (layout == Layout::Nta)
    f = {Joined({SectionName[0], SectionName[1]}, " ")};
  else
    f = {SectionName[0], SectionName[1]};
  f.insert(f.end(), std::begin(SectionValues), std::end(SectionValues));
  if (numbered) f.insert(f.end(), {std::to_string(total + 1), std::to_string(samples.size()), "1"});
  emit();
  int line = 1;
  for (const auto& s : samples) {
    const int own = ++line;
    const int last = own + static_cast<int>(s.steps.size());
    f = {s.name[0], s.name[1], s.meters};
    f.insert(f.end(), std::begin(s.orientations), std::end(s.orientations));
    if (numbered) f.insert(f.end(), {std::to_string(last), std::to_string(last + 1), std::to_string(own)});
    emit();
    for (const auto& st : s.steps) {
      f = {s.name[0], s.name[1]};
      if (spaced) {
        f.insert(f.end(), {st.method, st.level});
      } else {
        // One field of six characters: the method in three, the level in the rest.
        f.push_back(AlignLeft(st.method, 3) + AlignRight(st.level, 3));
      }
      f.insert(f.end(), std::begin(st.values), std::end(st.values));
      ++line;
      if (numbered) f.push_back(std::to_string(line));
      emit();
    }
  }
  return JoinedLines(lines);
}

// A column table of the fixed-column layout, as the converter reads it.
std::string ColumnTable(std::string_view title, std::span<const AppField> fields) {
  std::string t = std::string(title) + std::string(Crlf);
  t += "            Columns   Field";
  t += Crlf;
  for (const AppField& f : fields) {
    const std::string range = std::to_string(f.columns.first) + "-" + std::to_string(f.columns.last);
    t += "            " + AlignRight(range, 7) + "   " + std::string(f.field);
    t += Crlf;
  }
  return t;
}

// Appends a block of text written with "\n" line ends, turning them into CR LF.
void Add(std::string& out, std::string_view block) {
  for (char ch : block) {
    if (ch == '\n')
      out += Crlf;
    else
      out += ch;
  }
}

constexpr std::string_view Overview = R"(
Remanex analyses the palaeomagnetic demagnetisation data of one section: the
directions and intensities measured after each thermal (TT) or alternating-field
(AF) step of every sample, in geographic and in tilt-corrected coordinates.

 1. Conversion of laboratory files into Remanex sample files (*.mag). Five
    layouts are accepted:
       (1) fixed-length columns          *.app
       (2) tab-delimited                 *.tab
       (3) new tab-delimited             *.nta
       (4) comma-delimited               *.cma
       (5) space-delimited               *.txt
    Each file can contain up to 500 samples, and each sample can have up
    to 50 demagnetization steps.
    (49 measured steps and the origin step Remanex adds to every sample.)
 2. The sample list and the data of the selected sample side by side, with
    check boxes to mark samples and steps.
 3. Zijderveld projection (orthogonal vector diagram) of the selected sample,
    standard or modified, onto the North plane or a plane of your choice.
 4. Stereographic and Lambert equal-area projections of one sample's steps, or
    of one direction per sample for all samples of the section.
 5. Principal component analysis (least squares) of selected steps, free or
    tied to the origin, with a polarity label for every result.
 6. Fisher statistics of the section with normal and reversed directions told
    apart, virtual geomagnetic poles and palaeolatitudes.
 7. Printing of every plot and of the main window.
 8. Calculators for typed numbers: coordinate conversion, latitude, the Kono
    (1980) inclination-only palaeolatitude and a projections toolbox.
)";

constexpr std::string_view FormatsIntro = R"(
Every layout carries the same content, line by line:
  - line 1, the section header: section name, latitude and longitude of the
    section, declination and inclination of the present field, and (except in
    *.nta) the last line number of the file, the number of samples and the
    line's own number (1);
  - for each sample, a sample header: sample name, stratigraphic level in
    metres, four field and bed orientations (not used), and (except in *.nta)
    the line number of the sample's last step, the line number of the next
    sample header and the line's own number;
  - after each sample header, one line per step: sample name, method (NRM, TT
    or AF) and level (degrees C or mT), declination and inclination in
    geographic coordinates, declination and inclination tilt-corrected,
    intensity, error, and (except in *.nta) the line's own number.
The layout is told by the last three letters of the file name, in any case
(CRA.APP is an *.app file). The examples below all hold the same section and
convert to the same sample file.

(1) Fixed-length file (*.app)
The fields stand in fixed columns; a line is 64 characters long. Example
(the first two lines count the columns):
)";

constexpr std::string_view TabText = R"(
(2) Tab-delimited file (*.tab)
The fields of the *.app file, separated by one TAB character each. The section
and sample names are two fields; method and level share one field:
'NRM  0' and 'TT ###' have to be 6 characters wide and the last
three characters have to be numbers.
Example:
)";

constexpr std::string_view NtaText = R"(
(3) New tab-delimited file (*.nta)
Separated by TAB characters like *.tab, but without line numbers or counts:
Remanex counts the lines and the samples itself. The section name is the first
field alone; the lines of a sample are told by its name (the first two fields,
up to 16 characters): a line with a new name starts a new sample and is its
header. Example:
)";

constexpr std::string_view CmaText = R"(
(4) Comma-delimited file (*.cma)
The fields of the *.tab file separated by commas. Empty fields (",,") are
skipped. Example:
)";

constexpr std::string_view TxtText = R"(
(5) Space-delimited file (*.txt)
It has the same apperance as *.app files, but the fields are separated by one or
more spaces instead of standing in fixed columns. Method and level are two
fields; a name may have a third part when the field after it is not a number.
Example:
)";

constexpr std::string_view ReadingNotes = R"(
How Remanex reads these files
  - Numbers are read in the C locale: an optional sign, digits with an optional
    fraction and an optional exponent (2.71E-02). "12,5", "inf" and "nan" are
    not numbers. A field that is not a number stops the conversion with error
    13 and the number of the line.
  - A field that a line needs but lacks (a line that ends too early, a missing
    separator) is an error (5) with the number of the line; it is never
    replaced by another field or by zero.
  - In *.tab, *.nta and *.cma the level is everything after the first three
    characters of the method field, so 'TT 1000' and 'AF 12.5' are read whole.
  - The conversion is all or nothing: the sample file is written under a
    temporary name and takes its name only when the whole input was read. A
    file that fails leaves no half-written sample file behind, and an existing
    sample file is replaced only when you confirm it.
  - The sample file gets the name of the input up to its first dot followed by
    ".mag" (CRA.app gives CRA.mag), in the same folder. When that file exists,
    Remanex asks for another name; OK keeps the offered name and overwrites.
  - Lines may end in CR LF, LF or CR. A file in UTF-8 is read as UTF-8; names
    must use characters of ISO 8859-1 (Western European).
  - Numbers are never cut to fit a column of a listing or report: a value wider
    than its column is printed whole and the line grows.
)";

constexpr std::string_view Menus = R"(
File
  Open (Ctrl+O)       Opens its own window to choose a sample file (*.mag).
                      The window starts in the folder you used last.
  Convert (Ctrl+T)    Opens its own window to choose a laboratory file and
                      converts it into a sample file, which is then opened.
  Close (Ctrl+W)      Closes the sample file and the windows showing its data.
  Print               Prints the main window, the Zijderveld, stereographic or
                      equal-area plot of the selected sample, or (All) the
                      stereographic or equal-area plot of all samples.
  Exit (Ctrl+Q)       Closes the file and every window and ends the program.

Edit
  Copy (Ctrl+C)       Copies the checked lines of either list (sample list or
                      data list, whichever has the focus), or the selected text
                      of a text box, or the picture of a plot panel.

Zijderveld
  Geographic          Shows the Zijderveld diagram in geographic coordinates.
  Tilt-Corrected      Shows it in tilt-corrected coordinates.
  Projection Plane    Sets the declination of the vertical projection plane of
                      the selected sample (0-360 degrees); it is stored in the
                      sample file. The default is projection onto the North
                      plane (0 degree); -2 means no projection.
  Modified Z-Plot     Switches between the standard and the modified layout.

StereoPlot
  Geographic          Stereographic projection of the selected sample's steps
  Tilt-Corrected      in geographic or tilt-corrected coordinates.

EQAreaPlot
  Geographic          Lambert equal-area projection of the selected sample's
  Tilt-Corrected      steps in geographic or tilt-corrected coordinates.

LeastSquare
  Least Square Analysis  Fits a line (principal component analysis) to the
                      steps selected for least squares of the selected sample,
                      asks for its polarity label and stores the result.
  Display All Results Lists the stored results of all samples.

All
  Stereo Plot All     Plots one direction per active sample: the NRM, the
                      least-squares result, or the step at an alternating
                      field or temperature that you type.
  Fisher statistics   Fisher statistics of the same four kinds of data for the
                      whole section, with normal and reversed directions told
                      apart, the poles and the palaeolatitude. The reports are
                      collected in the results window. The classic window held
                      at most 64 KB of text; Remanex has no such limit, but
                      clear it periodically with Edit > Clear Output (Ctrl+L)
                      to keep the reports apart.

Toolbox
  Coordinate Conversion  Cartesian and spherical coordinates.
  Latitude Calculation   Inclination and latitude.
  Kono (1980) Latitude Calculator  Palaeolatitude from inclinations only.
  Points Projection   Projections, Fisher means, poles and confidence circles
                      of typed directions.

Help
  Main Features (F1)  This guide. Edit > Copy copies the selected text.
  About Remanex Analysis Program  The version and history of the program.
)";

constexpr std::string_view Buttons = R"(
Check the lines you want in the lists, then press a button. Every change is
written to the sample file at once; press the same button again with the same
lines checked to undo it.

(De)activate Record
  Switches the checked samples between active and inactive. Only active
  samples enter the plots and statistics of all samples. All samples start
  active.

Select/Remove Points for Z-/S-/ EQ-Plot
  Switches the checked steps of the selected sample in or out of its plots.
  All steps start plotted. The origin line ("Org") is never plotted.

Select/Remove Points for Least Square Anslysis
  Switches the checked steps in or out of the least-squares fit, then runs the
  fit and asks for the polarity label. Steps start unselected. Selecting the
  origin line ties the fitted line to the origin without counting it as a
  point.
)";

constexpr std::string_view CommandLine = R"(
remanex-cli runs the same commands without windows, for batch work and scripts,
and prints exactly the texts the windows show (in UTF-8). Errors go to the
standard error output; the exit status is 0 on success, 1 for a refused file or
a failed command and 2 for bad usage. Samples are numbered from 1 in file order,
as in the sample list.

  remanex-cli samples FILE.mag
      prints the sample list (heading first)
  remanex-cli listing FILE.mag N
      prints the data listing of sample N
  remanex-cli convert INPUT [--output NAME] [--overwrite]
      converts a laboratory file into a sample file next to it
  remanex-cli fit FILE.mag N --steps LIST --label L | FILE.mag --plan PLAN
      selects exactly the LIST steps of sample N (e.g. 3,4,ORG) for least
      squares, fits them with polarity label L and prints the sample's listing;
      with --plan, reads lines "SAMPLE STEPS LABEL" (SAMPLE a number or a name,
      STEPS as for --steps or NONE) from the file PLAN (- for standard input),
      fits each in order in this one process and prints one line per fit; a bad
      line stops the plan with its line number: the lines before it stay done,
      nothing of it is written
  remanex-cli results FILE.mag
      prints all least-squares results (Display All Results)
  remanex-cli fisher FILE.mag --data nrm|lsq|af|at --coords g|t [--level X] [--weighted y|n] [--estimate INC,DEC]
      prints the Fisher analysis of all samples (All > Fisher statistics)
  remanex-cli plot FILE.mag N --kind zijderveld|modified-zijderveld|stereographic|equal-area --coords geographic|tilt --out FILE.svg|.png|.pdf|.txt [--size WIDTHxHEIGHT] [--dpi D] [--paper]
      draws a plot of sample N as the plot window shows it, or with --paper as
      printed on an A4 page
  remanex-cli kono FILE|- [--weighted]
      prints the Kono (1980) palaeolatitude of a table of polarity, inclination
      and intensity rows read from FILE or standard input, each result box as
      its label and text, then the intermediate results (Toolbox > Kono (1980)
      Latitude Calculator); --weighted counts the N and R rows twice
  remanex-cli coords sph2cart D I M [--digits N] | cart2sph X1 X2 X3 [--digits N] | inc2lat I | lat2inc LAT
      converts a vector between declination, inclination, intensity and north,
      east, down (--digits decimals, 5 by default), or an inclination to a
      latitude and back, and prints the result boxes, one a line (Toolbox >
      Coordinate Conversion)
  remanex-cli toolbox fisher FILE|- [--level P] [--site LAT,LON] | convert sph2cart|cart2sph FILE|- | plot FILE|- --kind stereographic|equal-area|zijderveld|modified-zijderveld|ellipse-stereographic|ellipse-equal-area --out FILE.svg|.png|.pdf|.txt [--symbol-colour R,G,B] [--line-colour R,G,B] [--symbol-size S] [--connect yes|no] [--diameter CM] [--dec-colour R,G,B] [--inc-colour R,G,B] [--dec-size S] [--length CM] [--plane DEG] [--level P --site LAT,LON --points N --thickness T --circle --site-square] [--size WIDTHxHEIGHT] [--dpi D] [--paper]
      the projections toolbox on typed rows (three numbers a line): fisher
      prints the Fisher boxes of Cartesian rows (and the pole with --site),
      convert prints the rows converted between the two boxes, and plot draws
      a toolbox plot of direction rows (the ellipse plots take Cartesian rows
      and need --site)
  remanex-cli plot-all FILE.mag --data nrm|lsq|af|at [--level X] --kind stereographic|equal-area --coords geographic|tilt --out FILE.svg|.png|.pdf|.txt [--size WIDTHxHEIGHT] [--dpi D] [--paper]
      draws one direction per active sample on one net as the plot window's
      net panel shows it (All > Stereo Plot All; --level for af and at), or
      with --paper as printed with its two heading lines
  remanex-cli --version
      prints the program's version
  remanex-cli --help
      prints every command and its options

The manual page (man remanex-cli) describes every option.
)";

}  // namespace

std::string GuideExample(Layout layout) {
  return layout == Layout::App ? AppExample() : DelimitedExample(layout);
}

std::string HelpText() {
  std::string t;
  auto section = [&t](int k, std::string_view body) {
    t += GuideHeadings[k];
    t += Crlf;
    Add(t, body);
  };
  section(0, Overview);
  t += Crlf;

  section(1, FormatsIntro);
  t += "         1         2         3         4         5         6    \r\n";
  t += "1234567890123456789012345678901234567890123456789012345678901234\r\n";
  t += GuideExample(Layout::App);
  t += Crlf;
  t += ColumnTable("Line#1:    Header of *.app files", AppSectionFields());
  t += Crlf;
  t += ColumnTable("Line#2:    Header of a sample, others: Line#6", AppSampleFields());
  t += Crlf;
  t += ColumnTable("Line#3:    NRM data of a sample, and every step line after it", AppStepFields());
  const std::pair<std::string_view, Layout> delimited[] = {
      {TabText, Layout::Tab}, {NtaText, Layout::Nta}, {CmaText, Layout::Cma}, {TxtText, Layout::Txt}};
  for (const auto& [text, layout] : delimited) {
    Add(t, text);
    t += GuideExample(layout);
  }
  Add(t, ReadingNotes);
  t += Crlf;

  section(2, Menus);
  t += Crlf;
  section(3, Buttons);
  t += Crlf;
  section(4, CommandLine);
  return t;
}

std::string AboutAuthorText() {
  return std::string("Remanex Analysis Program\r\nVersion: ") + ProgramVersion +
         "\r\nWritten by the Remanex developers; free software under the licence " + ProgramLicense + ".";
}

std::string AboutContactText() {
  return std::string("For more information, please read the README file that comes with the program (") +
         DocDirectory +
         "/README.md), and report problems or wishes on the issue tracker of the project's source repository.";
}

std::string AboutHistoryText() {
  return std::string("Revision history of Remanex:\r\n") + ProgramVersion +
         "   first release of this program, written afresh in C++ and Qt 6 for Linux:\r\n"
         "      conversion of the five laboratory layouts, sample list and listing,\r\n"
         "      Zijderveld diagrams, stereographic and equal-area nets, least-squares\r\n"
         "      fits, Fisher statistics, poles and palaeolatitudes, printing, help,\r\n"
         "      the command line remanex-cli, and installation as a desktop program.";
}

}  // namespace rmx
