// Helpers of the plot window tests: what a panel shows for a drawing, and the
// drawings of the pages of a printed PDF.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "plot/surface.h"
#include "plot/ui/painter_surface.h"
#include "plot/ui/plot_window.h"

namespace rmx::test {

// The panel's picture as the given drawing makes it on a fresh picture of the same
// size, resolution and pixel ratio.
inline QImage PanelPicture(ui::PlotPanel* panel, const std::function<void(plot::Surface&)>& draw) {
  plot::RecordingSurface rec(panel->WidthTwips(), panel->HeightTwips());
  draw(rec);
  QImage image(panel->Picture().size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(panel->Picture().devicePixelRatio());
  image.setDotsPerMeterX(panel->Picture().dotsPerMeterX());
  image.setDotsPerMeterY(panel->Picture().dotsPerMeterY());
  image.fill(Qt::white);
  QPainter painter(&image);
  ui::PainterSurface surface(painter, panel->WidthTwips(), panel->HeightTwips(), panel->Dpi(), panel->Dpi());
  rec.ReplayOn(surface);
  return image;
}

// The drawing of each page of a PDF written by Qt: its content stream, inflated,
// from the first path on (the state set up before it depends on what the page
// before left).
inline std::vector<std::string> PdfPageDrawings(const std::string& pdf) {
  std::vector<std::string> pages;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") == 0) continue;
    const size_t objStart = pdf.rfind(" obj", at);
    const size_t contents = pdf.find("/Contents ", objStart);
    std::string drawing;
    if (contents != std::string::npos) {
      const int ref = std::atoi(pdf.c_str() + contents + 10);
      const size_t obj = pdf.find("\n" + std::to_string(ref) + " 0 obj");
      const size_t stream = pdf.find("stream\n", obj);
      const size_t end = pdf.find("endstream", stream);
      if (obj != std::string::npos && stream != std::string::npos && end != std::string::npos) {
        // qUncompress wants the expected size first; it grows its buffer as needed.
        QByteArray packed("\x00\x10\x00\x00", 4);
        packed.append(pdf.data() + stream + 7, static_cast<qsizetype>(end - stream - 7));
        const QByteArray text = qUncompress(packed);
        const qsizetype path = text.indexOf(" m\n");
        if (path >= 0) drawing = text.mid(text.lastIndexOf('\n', path) + 1).toStdString();
      }
    }
    pages.push_back(drawing);
  }
  return pages;
}

}  // namespace rmx::test
