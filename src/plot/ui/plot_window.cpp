#include "plot/ui/plot_window.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "session/ui/qt_dialogs.h"
#include "plot/layout.h"
#include "plot/ui/painter_surface.h"

namespace rmx::ui {

PlotPanel::PlotPanel(const QString& objectName, const QString& accessibleName, QWidget* parent) : QWidget(parent) {
  Describe(this, objectName, accessibleName);
  setProperty("picturePanel", true);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(PlotFont(plot::Font{"Times New Roman", 12}));
  FitImage();
}

double PlotPanel::Dpi() const { return logicalDpiX(); }

double PlotPanel::WidthTwips() const { return plot::PixelsToTwips(width(), logicalDpiX()); }

double PlotPanel::HeightTwips() const { return plot::PixelsToTwips(height(), logicalDpiY()); }

void PlotPanel::FitImage() {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(std::max(1, static_cast<int>(std::ceil(width() * ratio))),
                     std::max(1, static_cast<int>(std::ceil(height() * ratio))));
  if (!image_.isNull() && image_.size() == pixels && image_.devicePixelRatio() == ratio) return;
  QImage fitted(pixels, QImage::Format_RGB32);
  fitted.setDevicePixelRatio(ratio);
  fitted.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
  fitted.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
  fitted.fill(Qt::white);
  if (!image_.isNull()) {
    // What was drawn stays where it was.
    QPainter p(&fitted);
    p.drawImage(QPointF(0, 0), image_);
  }
  image_ = fitted;
}

void PlotPanel::Clear() {
  FitImage();
  image_.fill(Qt::white);
  update();
}

void PlotPanel::Draw(const std::function<void(plot::Surface&)>& draw) {
  FitImage();
  {
    QPainter painter(&image_);
    PainterSurface surface(painter, WidthTwips(), HeightTwips(), logicalDpiX(), logicalDpiY());
    draw(surface);
  }
  update();
}

void PlotPanel::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), Qt::white);
  p.drawImage(QPointF(0, 0), image_);
}

void PlotPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitImage();
}

PlotWindow::PlotWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmSPlot");
  setWindowTitle("Stereo Plot");
  picZPlot_ = new PlotPanel("picZPlot", "Zijderveld diagram", this);
  picSPlot_ = new PlotPanel("picSPlot", "Stereographic or equal-area net", this);
  lblZPlot_ = new QLabel(this);
  lblSPlot_ = new QLabel(this);
  const QFont titleFont = PlotFont(plot::Font{"Times New Roman", 14.25});
  for (auto [label, name] : {std::pair{lblZPlot_, "lblZPlot"}, std::pair{lblSPlot_, "lblSPlot"}}) {
    label->setObjectName(name);
    label->setAccessibleDescription(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(titleFont);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  resize(1024, 768);
}

bool PlotWindow::ApplyLayout() {
  const double dpiX = logicalDpiX();
  const double dpiY = logicalDpiY();
  const plot::PlotWindowLayout l =
      plot::LayoutPlotWindow(plot::PixelsToTwips(width(), dpiX), plot::PixelsToTwips(height(), dpiY));
  if (!l.Valid) return false;
  const int w = plot::TwipsToPixels(l.PanelWidth, dpiX);
  const int h = plot::TwipsToPixels(l.PanelHeight, dpiY);
  if (w < 1 || h < 1) return false;
  const int zLeft = plot::TwipsToPixels(l.ZLeft, dpiX);
  const int sLeft = plot::TwipsToPixels(l.SLeft, dpiX);
  const int top = plot::TwipsToPixels(l.PanelTop, dpiY);
  const int labelTop = plot::TwipsToPixels(l.LabelTop, dpiY);
  const int labelHeight = plot::TwipsToPixels(l.LabelHeight, dpiY);
  picZPlot_->setGeometry(zLeft, top, w, h);
  picSPlot_->setGeometry(sLeft, top, w, h);
  lblZPlot_->setGeometry(zLeft, labelTop, w, labelHeight);
  lblSPlot_->setGeometry(sLeft, labelTop, w, labelHeight);
  return true;
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (ApplyLayout()) emit laidOut();
}

}  // namespace rmx::ui
