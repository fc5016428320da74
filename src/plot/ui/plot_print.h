// Printing a plot on the printer the printer dialog configured.
#pragma once

#include <QPrinter>
#include <functional>

#include "plot/surface.h"

namespace rmx::ui {

// Draws `copies` copies of a plot on the printer, each on its own page, at zoom 100
// on the printable area of the page, and ends the print job. Returns false when the
// printer cannot be used or fails; the job is then aborted and nothing is sent.
bool PrintCopies(QPrinter& printer, int copies, const std::function<void(plot::Surface&)>& draw);

}  // namespace rmx::ui
