// The print job of every print command: the number of copies chosen in the printer
// dialog, each drawn on a page of its own.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <functional>

namespace rmx::ui {

// Draws `copies` pages on the printer, each from the same painter state, and ends
// the job. Returns false when the printer cannot be used or drawing fails; the job
// is then aborted and nothing is sent.
bool PrintPages(QPrinter& printer, int copies, const std::function<void(QPainter&)>& drawPage);

}  // namespace rmx::ui
