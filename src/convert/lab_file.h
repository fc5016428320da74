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
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace rmx {

enum class Layout { App, Tab, Nta, Cma, Txt };

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
  std::vector<Slot> records;  // the slots, slot 1 (the section header) first
  int64_t linesRead = 0;    // the number of the last input line read
};

// Reads a whole laboratory file (its bytes as stored) in the given layout. Throws
// ConvertError for a field that is not a number (13), a required field missing from
// its line (5), the end of the input before an expected line (62), a sample with no
// room for its steps or a sample beyond the 500th (9), and a character that ISO
// 8859-1 cannot store in a UTF-8 file (5).
Converted ReadLaboratoryFile(std::string_view bytes, Layout layout);

}  // namespace rmx
