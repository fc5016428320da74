#include "plot/ui/plot_print.h"

#include "session/ui/printing.h"
#include "plot/layout.h"
#include "plot/ui/painter_surface.h"

namespace rmx::ui {

bool PrintCopies(QPrinter& printer, int copies, const std::function<void(plot::Surface&)>& draw) {
  return PrintPages(printer, copies, [&](QPainter& painter) {
    const int dpi = printer.resolution();
    const QRect page = printer.pageLayout().paintRectPixels(dpi);
    PainterSurface surface(painter, plot::PixelsToTwips(page.width(), dpi), plot::PixelsToTwips(page.height(), dpi),
                           dpi, dpi, PaperLineWidth);
    draw(surface);
  });
}

}  // namespace rmx::ui
