#include "plot/ui/plot_print.h"

#include <QPainter>
#include <exception>

#include "plot/layout.h"
#include "plot/ui/painter_surface.h"

namespace rmx::ui {

bool PrintCopies(QPrinter& printer, int copies, const std::function<void(plot::Surface&)>& draw) {
  if (copies < 1) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const int dpi = printer.resolution();
  const QRect page = printer.pageLayout().paintRectPixels(dpi);
  PainterSurface surface(painter, plot::PixelsToTwips(page.width(), dpi), plot::PixelsToTwips(page.height(), dpi),
                         dpi, dpi, PaperLineWidth);
  try {
    for (int copy = 1; copy <= copies; ++copy) {
      if (copy > 1 && !printer.newPage()) {
        printer.abort();
        return false;
      }
      // Every copy starts from the same painter state, so that the pages are alike.
      painter.save();
      draw(surface);
      painter.restore();
    }
  } catch (const std::exception&) {
    printer.abort();
    return false;
  }
  return painter.end();
}

}  // namespace rmx::ui
