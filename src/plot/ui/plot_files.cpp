#include "plot/ui/plot_files.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "plot/ui/painter_surface.h"

namespace rmx::ui {

namespace {

// SVG and PDF are drawn in twips: one unit a twip.
constexpr int VectorDpi = 1440;

std::string Text(const QString& s) { return s.toStdString(); }

void Commit(QSaveFile& file, const QString& path) {
  if (!file.commit()) throw PlotFileError("cannot write " + Text(path) + ": " + Text(file.errorString()));
}

void Open(QSaveFile& file, const QString& path) {
  if (!file.open(QIODevice::WriteOnly))
    throw PlotFileError("cannot write " + Text(path) + ": " + Text(file.errorString()));
}

double Line(const PlotFileOptions& options) { return options.Paper ? PaperLineWidth : ScreenLineWidth; }

// Draws in twips on a vector device of VectorDpi.
void PaintVector(QPaintDevice& device, const QString& path, const PlotFileOptions& options,
                 const std::function<void(plot::Surface&)>& draw) {
  QPainter painter;
  if (!painter.begin(&device)) throw PlotFileError("cannot write " + Text(path));
  PainterSurface surface(painter, options.Width, options.Height, VectorDpi, VectorDpi, Line(options));
  draw(surface);
  painter.end();
}

void WritePng(const QString& path, const PlotFileOptions& options, const std::function<void(plot::Surface&)>& draw) {
  const double w = std::ceil(options.Width * options.Dpi / 1440);
  const double h = std::ceil(options.Height * options.Dpi / 1440);
  if (!(w >= 1 && h >= 1) || w * h > MaxImagePixels)
    throw PlotFileError("an image of " + std::to_string(static_cast<long long>(w)) + " x " +
                        std::to_string(static_cast<long long>(h)) + " pixels cannot be written");
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  if (image.isNull()) throw PlotFileError("not enough memory for the image");
  image.fill(Qt::white);
  const int dotsPerMeter = static_cast<int>(std::lround(options.Dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  {
    QPainter painter(&image);
    PainterSurface surface(painter, options.Width, options.Height, options.Dpi, options.Dpi, Line(options));
    draw(surface);
  }
  QSaveFile file(path);
  Open(file, path);
  QImageWriter writer(&file, "png");
  if (!writer.write(image)) throw PlotFileError("cannot write " + Text(path) + ": " + Text(writer.errorString()));
  Commit(file, path);
}

void WriteSvg(const QString& path, const PlotFileOptions& options, const std::function<void(plot::Surface&)>& draw) {
  QSaveFile file(path);
  Open(file, path);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setResolution(VectorDpi);
    const QSize size(static_cast<int>(std::ceil(options.Width)), static_cast<int>(std::ceil(options.Height)));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QFileInfo(path).completeBaseName());
    svg.setDescription(QStringLiteral("Remanex plot"));
    PaintVector(svg, path, options, draw);
  }
  Commit(file, path);
}

void WritePdf(const QString& path, const PlotFileOptions& options, const std::function<void(plot::Surface&)>& draw) {
  QSaveFile file(path);
  Open(file, path);
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(VectorDpi);
    pdf.setCreator(QStringLiteral("Remanex"));
    pdf.setTitle(QFileInfo(path).completeBaseName());
    const QPageSize page(QSizeF(options.Width / 20, options.Height / 20), QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    if (!pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0))))
      throw PlotFileError("cannot use a page of that size for " + Text(path));
    PaintVector(pdf, path, options, draw);
  }
  Commit(file, path);
}

}  // namespace

bool PlotFileFormatOf(const QString& path, PlotFileFormat& format) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == "png")
    format = PlotFileFormat::Png;
  else if (ext == "svg")
    format = PlotFileFormat::Svg;
  else if (ext == "pdf")
    format = PlotFileFormat::Pdf;
  else
    return false;
  return true;
}

void WritePlotFile(const QString& path, PlotFileFormat format, const PlotFileOptions& options,
                   const std::function<void(plot::Surface&)>& draw) {
  if (!(options.Width > 0 && options.Height > 0 && std::isfinite(options.Width) && std::isfinite(options.Height)))
    throw PlotFileError("the drawing has no size");
  switch (format) {
    case PlotFileFormat::Png: WritePng(path, options, draw); break;
    case PlotFileFormat::Svg: WriteSvg(path, options, draw); break;
    case PlotFileFormat::Pdf: WritePdf(path, options, draw); break;
  }
}

}  // namespace rmx::ui
