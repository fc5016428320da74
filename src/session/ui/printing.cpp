#include "session/ui/printing.h"

#include <exception>

namespace rmx::ui {

bool PrintPages(QPrinter& printer, int copies, const std::function<void(QPainter&)>& drawPage) {
  if (copies < 1) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  try {
    for (int copy = 1; copy <= copies; ++copy) {
      if (copy > 1 && !printer.newPage()) {
        printer.abort();
        return false;
      }
      // Every copy starts from the same painter state, so that the pages are alike.
      painter.save();
      drawPage(painter);
      painter.restore();
    }
  } catch (const std::exception&) {
    printer.abort();
    return false;
  }
  return painter.end();
}

}  // namespace rmx::ui
