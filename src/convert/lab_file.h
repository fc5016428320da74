// Laboratory files: the five text layouts in which measurements arrive, and their
// reading into the slots of a new sample file.
//
// Every layout carries the same content: a section-header line, then per sample a
// sample-header line followed by one line per demagnetisation step. "app" is read by
// fixed columns, "tab" and "nta" by TAB, "cma" by comma and "txt" by spaces; "nta"
// has no line numbers and is grouped into samples by the names on its lines.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/large_block.h"
#include "store/records.h"

namespace rmx {

enum class Layout { App, Tab, Nta, Cma, Txt };

// The columns of one field of the fixed-column layout "app", counted from 1, both
// ends included.
struct ColumnRange {
  size_t first;
  size_t last;
};

// The columns of every field of the three kinds of "app" line. The converter reads
// the fields from these columns and the user guide prints them.
namespace app_columns {
inline constexpr ColumnRange SectionName{1, 16};
inline constexpr ColumnRange Latitude{17, 22};
inline constexpr ColumnRange Longitude{23, 28};
inline constexpr ColumnRange FieldDec{29, 34};
inline constexpr ColumnRange FieldInc{35, 42};
inline constexpr ColumnRange LastLine{43, 49};
inline constexpr ColumnRange SampleCount{50, 54};
inline constexpr ColumnRange OwnLine{61, 64};  // on every kind of line

inline constexpr ColumnRange SampleName{1, 16};
inline constexpr ColumnRange Meters{17, 22};
inline constexpr ColumnRange Orientations{23, 49};  // not read
inline constexpr ColumnRange SampleLastLine{50, 54};
inline constexpr ColumnRange NextSampleLine{55, 60};

inline constexpr ColumnRange StepSampleName{1, 14};  // not read
inline constexpr ColumnRange Method{15, 17};
inline constexpr ColumnRange Level{18, 20};
inline constexpr ColumnRange GDec{21, 27};
inline constexpr ColumnRange GInc{28, 32};
inline constexpr ColumnRange TDec{34, 39};
inline constexpr ColumnRange TInc{40, 44};
inline constexpr ColumnRange Intensity{47, 54};
inline constexpr ColumnRange Error{56, 60};
}  // namespace app_columns

// One row of the column tables of the user guide.
struct AppField {
  ColumnRange columns;
  std::string_view field;  // what the columns hold
};

// The fields of the section-header line, a sample-header line and a step line of
// "app", in column order, with the columns the converter reads them from (and the
// columns it skips, named as such).
std::span<const AppField> AppSectionFields();
std::span<const AppField> AppSampleFields();
std::span<const AppField> AppStepFields();

// The layout named by the last three characters of a file name, compared in lower
// case ("CRA.APP" is "app"); nothing when they name none of the five.
std::optional<Layout> LayoutOf(std::string_view fileName);

// An error that stops a conversion: the classic run-time error number (see
// ErrorNumber in store/errors.h) and the number of the input line being read (the
// first line is 1; 0 when no line was read).
class ConvertError : public std::runtime_error {
 public:
  ConvertError(int number, int64_t line);
  int number;
  int64_t line;
};

// The sample file a laboratory file becomes.
struct Converted {
  std::vector<Slot, BlockAllocator<Slot>> records;  // the slots, slot 1 (the section header) first
  int64_t linesRead = 0;    // the number of the last input line read
};

// Reads a whole laboratory file (its bytes as stored) in the given layout. Throws
// ConvertError for a field that is not a number (13), a required field missing from
// its line (5), the end of the input before an expected line (62), a sample with no
// room for its steps or a sample beyond the 500th (9), and a character that ISO
// 8859-1 cannot store in a UTF-8 file (5).
Converted ReadLaboratoryFile(std::string_view bytes, Layout layout);

}  // namespace rmx
