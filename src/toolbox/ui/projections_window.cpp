#include "toolbox/ui/projections_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

#include "plot/layout.h"
#include "plot/ui/fonts.h"
#include "plot/ui/painter_surface.h"
#include "plot/ui/plot_window.h"
#include "session/ui/qt_dialogs.h"
#include "toolbox/projections.h"

namespace rmx::ui {

using namespace rmx::toolbox;

// --- the print job -------------------------------------------------------------

bool OpenPrintJob::Draw(int copies, const std::function<void(plot::Surface&)>& draw) {
  if (copies < 1) return false;
  if (!painter_.isActive() && !painter_.begin(&printer_)) return false;
  try {
    for (int copy = 1; copy <= copies; ++copy) {
      if (copy > 1 && !printer_.newPage()) throw std::runtime_error("new page");
      const int dpi = printer_.resolution();
      const QRect page = printer_.pageLayout().paintRectPixels(dpi);
      painter_.save();
      PainterSurface surface(painter_, plot::PixelsToTwips(page.width(), dpi), plot::PixelsToTwips(page.height(), dpi),
                             dpi, dpi, PaperLineWidth);
      draw(surface);
      painter_.restore();
    }
  } catch (const std::exception&) {
    printer_.abort();
    painter_.end();
    return false;
  }
  return true;
}

void OpenPrintJob::End() {
  if (painter_.isActive()) painter_.end();
}

// --- frmPointsPlot -------------------------------------------------------------

namespace {
// Around the panel: its left and top offsets and the same again right and below.
constexpr int PanelMargin = 8;
}  // namespace

PointsPlotWindow::PointsPlotWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmPointsPlot");
  setAccessibleName("Projection for Points");
  setAccessibleDescription("frmPointsPlot");
  setWindowTitle("Projection for Points");
  picPointsPlot_ = new PlotPanel("picPointsPlot", "Toolbox projection", this);
  SetProjectionWindow(toolbox::CentimetresToTwips(15), "Projection for Points");
}

void PointsPlotWindow::SetProjectionWindow(double size, const QString& caption) {
  const double dpi = logicalDpiX();
  const int side = plot::TwipsToPixels(toolbox::PanelFor(size), dpi);
  picPointsPlot_->setGeometry(PanelMargin, PanelMargin, side, side);
  setFixedSize(side + 2 * PanelMargin, side + 2 * PanelMargin);
  setWindowTitle(caption);
}

// --- frmProjections --------------------------------------------------------------

namespace {

QString Q(const char* s) { return QString::fromLatin1(s); }

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption) {
  auto* f = new QGroupBox(caption, parent);
  Describe(f, Q(name), caption);
  return f;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
  auto* l = new QLabel(text, parent);
  Describe(l, name, text);
  l->setTextFormat(Qt::PlainText);
  return l;
}

}  // namespace

ProjectionsWindow::ProjectionsWindow(QWidget* parent, std::function<Dialogs&()> dialogs, QPrinter& printer)
    : QWidget(parent, Qt::Window), dialogs_(std::move(dialogs)), printer_(printer), job_(printer) {
  setObjectName("frmProjections");
  setWindowTitle("Toolbox 2 - Various Projections");
  setAccessibleName(windowTitle());
  setAccessibleDescription("frmProjections");
  auto* top = new QVBoxLayout(this);

  // The two row boxes and the conversion buttons between them.
  auto* data = new QGridLayout;
  top->addLayout(data);
  const auto rowBox = [&](const char* name, const QString& accessible, const QString& tip) {
    auto* box = new QPlainTextEdit(this);
    Describe(box, Q(name), accessible);
    box->setToolTip(tip);
    box->setFont(FixedFont(10));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setMinimumSize(380, 160);
    boxes_[name] = box;
    return box;
  };
  auto* sphLabels = new QHBoxLayout;
  for (auto [n, t] : {std::pair{"lblDeclination", "Declination"}, {"lblInclination", "Inclination"}, {"lblIntensity", "Intensity"}})
    sphLabels->addWidget(Label(this, Q(n), Q(t)));
  auto* cartLabels = new QHBoxLayout;
  for (auto [n, t] : {std::pair{"lblNorth", "North (x1)"}, {"lblEast", "East (x2)"}, {"lblDown", "Down(x3)"}})
    cartLabels->addWidget(Label(this, Q(n), Q(t)));
  data->addLayout(sphLabels, 0, 0);
  data->addLayout(cartLabels, 0, 2);
  data->addWidget(rowBox("txtData", "Declination, inclination and intensity rows",
                         "Type, or copy and paste data here. If no intensity data, default to one."),
                  1, 0);
  data->addWidget(rowBox("txtCartData", "North, east and down rows",
                         "Type, or copy and paste data here. If no Down (x3) data, default to one."),
                  1, 2);
  auto* arrows = new QVBoxLayout;
  auto* toCart = Button("cmdSpheToCart", {}, "Spherical to Cartesian");
  toCart->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  auto* toSphe = Button("cmdCartToSphe", {}, "Cartesian to Spherical");
  toSphe->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  arrows->addStretch();
  arrows->addWidget(toCart);
  arrows->addWidget(toSphe);
  arrows->addStretch();
  data->addLayout(arrows, 1, 1);
  connect(toCart, &QPushButton::clicked, this, &ProjectionsWindow::SpheToCart);
  connect(toSphe, &QPushButton::clicked, this, &ProjectionsWindow::CartToSphe);

  // A frame of labelled boxes in a grid, `columns` pairs a line.
  const auto grid = [&](QWidget* frame, int columns,
                        std::initializer_list<std::tuple<const char*, const char*, const char*>> items) {
    auto* g = new QGridLayout(frame);
    int k = 0;
    for (auto [name, label, text] : items) {
      const int row = k / columns, col = (k % columns) * 2;
      g->addWidget(Label(frame, Q("lbl") + Q(name).mid(3), Q(label)), row, col);
      QLineEdit* box = Box(name, Q(label), Q(text));
      box->setParent(frame);
      g->addWidget(box, row, col + 1);
      ++k;
    }
    return g;
  };

  auto* middle = new QHBoxLayout;
  top->addLayout(middle);
  auto* fisher = Frame(this, "fraFisher", "Fisher Analysis");
  auto* fg = grid(fisher, 1,
                  {{"txtSignificanceLevel", "Significance Level (= 1 - Confid. Level)", "0.05"},
                   {"txtK", "K", ""},
                   {"txtFisherDec", "Declination", ""},
                   {"txtFisherInc", "Inclination", ""},
                   {"txtAlpha95", "Alpha (95)", ""}});
  auto* cmdFisher = Button("cmdFisher", "&Fisher Analysis");
  cmdFisher->setParent(fisher);
  cmdFisher->setToolTip("Use North(x1), East(x2), and Down(x3) Data. Note: Intensity should NOT participate in "
                        "Fisher analysis, i.e., they should all be set to one (leave blank).");
  fg->addWidget(cmdFisher, 5, 0, 1, 2);
  connect(cmdFisher, &QPushButton::clicked, this, &ProjectionsWindow::Fisher);
  middle->addWidget(fisher);

  auto* vgp = Frame(this, "fraVGP", "Virtual Geomagnetic Pole (VGP)");
  auto* vg = grid(vgp, 1,
                  {{"txtVGPPoleLat", "VGP Lat.", ""},
                   {"txtVGPPoleLong", "VGP Long.", ""},
                   {"txtDP", "DP (/Lat)", ""},
                   {"txtDM", "DM (/Long)", ""}});
  auto* cmdVgp = Button("cmdVGPCalculate", "Calculate &VGP");
  cmdVgp->setParent(vgp);
  cmdVgp->setToolTip("Need Site Latitude and Longitude (in VGP Ellipse Projection) and Fisher Analysis results "
                     "(Declination, Inclination, etc.)");
  auto* cmdInverse = Button("cmdVGPToSampleDecInc", {}, "VGP to sample declination and inclination");
  cmdInverse->setParent(vgp);
  cmdInverse->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  cmdInverse->setToolTip("Knowing VGP and Sample Latitude and Longitude, calculate the Declination and Inclination "
                         "at the sample site.");
  vg->addWidget(cmdVgp, 4, 0, 1, 2);
  vg->addWidget(cmdInverse, 5, 0, 1, 2);
  connect(cmdVgp, &QPushButton::clicked, this, &ProjectionsWindow::VgpCalculate);
  connect(cmdInverse, &QPushButton::clicked, this, &ProjectionsWindow::VgpToSampleDecInc);
  middle->addWidget(vgp);

  auto* ellipse = Frame(this, "fraEllipsePlot", "VGP Ellipse Projection");
  auto* eg = grid(ellipse, 1,
                  {{"txtLat", "Latitude (Site;degree)", ""},
                   {"txtLong", "Longitude (Site;degree)", ""},
                   {"txtNumPoints", "# of Points:", "2000"},
                   {"txtLineThickness", "Line thickness (pixels):", "1"}});
  int row = 4;
  const auto ellipseButton = [&](const char* name, const char* caption, const char* tip, auto fn) {
    auto* b = Button(name, Q(caption));
    b->setParent(ellipse);
    b->setToolTip(Q(tip));
    eg->addWidget(b, row++, 0, 1, 2);
    connect(b, &QPushButton::clicked, this, fn);
  };
  ellipseButton("cmdEllipseSPlot", "&5. Ellipse S-Plot", "Can add ellipse(s) onto other stereographic projection.",
                [this] { Ellipse(plot::NetKind::Stereographic); });
  ellipseButton("cmdPrintEllipseSPlot", "&6. Print Ellipse S-Plot",
                "Can print ellipse(s) onto other stereographic projection.",
                [this] { PrintEllipse(plot::NetKind::Stereographic); });
  ellipseButton("cmdEllipseEQPlot", "&7. Ellipse E-A-Plot", "Can add ellipse(s) onto other equal area projection.",
                [this] { Ellipse(plot::NetKind::EqualArea); });
  ellipseButton("cmdPrintEllipseEQPlot", "&8. Print Ellipse EAPlot",
                "Can print ellipse(s) onto other equal area projection.",
                [this] { PrintEllipse(plot::NetKind::EqualArea); });
  for (auto [n, t] : {std::pair{"lblEllipseDataNote", "Mean Declination and Inclination, and Alpha(95) Data from text "
                                                      "boxes in the Fisher Analysis."},
                      {"lblEllipsePlotNote", "Values for circle diameter, symbol color and size, and line color are "
                                             "from the text boxes in the Other Projections section."}}) {
    QLabel* note = Label(ellipse, Q(n), Q(t));
    note->setWordWrap(true);
    note->setFixedWidth(250);
    note->setMinimumHeight(note->heightForWidth(250));
    eg->addWidget(note, row++, 0, 1, 2);
  }
  middle->addWidget(ellipse);

  auto* bottom = new QHBoxLayout;
  top->addLayout(bottom);
  const auto colourFrame = [&](QWidget* parent, const char* name, const char* caption, const char* prefix,
                               std::initializer_list<const char*> texts, bool size) {
    auto* f = Frame(parent, name, Q(caption));
    auto* h = new QHBoxLayout(f);
    const char* names[] = {"R", "G", "B"};
    int k = 0;
    for (const char* t : texts) {
      const std::string box = std::string(prefix) + names[k++];
      QLineEdit* b = Box(box.c_str(), Q(caption) + " " + Q(names[k - 1]), Q(t));
      b->setParent(f);
      b->setMaximumWidth(48);
      h->addWidget(b);
    }
    if (size) {
      const char* sizeBox = std::string(prefix) == "txtSymColor" ? "txtSymSize" : "txtDecSize";
      h->addWidget(Label(f, Q(sizeBox == std::string("txtSymSize") ? "lblSymSize" : "lblDecSize"), "Size"));
      QLineEdit* b = Box(sizeBox, "Symbol size", "4");
      b->setParent(f);
      b->setMaximumWidth(48);
      h->addWidget(b);
    }
    return f;
  };
  const auto plotButtons = [&](QGridLayout* g, int firstRow,
                               std::initializer_list<std::tuple<const char*, const char*, std::function<void()>>> bs) {
    int k = 0;
    for (const auto& [name, caption, fn] : bs) {
      auto* b = Button(name, Q(caption));
      g->addWidget(b, firstRow + k / 2, k % 2);
      connect(b, &QPushButton::clicked, this, fn);
      ++k;
    }
  };

  auto* other = Frame(this, "fraOther", "Other Projections (Use Declination, Inclination, Intensity Data)");
  auto* og = new QGridLayout(other);
  og->addWidget(colourFrame(other, "fraSymbol", "Symbol Color and Size (Integer)", "txtSymColor", {"0", "0", "255"}, true),
                0, 0, 1, 2);
  og->addWidget(colourFrame(other, "frmLineColor", "Line Color (Integer)", "txtLineColor", {"0", "0", "255"}, false), 1,
                0, 1, 2);
  auto* ogBoxes = new QWidget(other);
  grid(ogBoxes, 1,
       {{"txtConnect", "Connect Points (Yes/No):", "Yes"}, {"txtDiameter", "Diameter of Projection Circle (centimeter):", "15"}});
  og->addWidget(ogBoxes, 2, 0, 1, 2);
  plotButtons(og, 3,
              {{"cmdStereoPlot", "&Stereographic Projection", [this] { Projection(ToolboxPlot::Stereographic); }},
               {"cmdEQPlot", "&Equal Area Projection", [this] { Projection(ToolboxPlot::EqualArea); }},
               {"cmdPrintSPlot", "&3. Print S-Plot", [this] { PrintProjection(ToolboxPlot::Stereographic); }},
               {"cmdPrintEqAPlot", "&4. Print E-A-Plot", [this] { PrintProjection(ToolboxPlot::EqualArea); }},
               {"cmdClearPlotArea", "&Clear Plot Area", [this] { ClearPlotArea(); }}});
  boxes_["cmdClearPlotArea"]->setToolTip("If you use different projections, the plot area gets messy. Use this button "
                                         "to clean the projection area.");
  bottom->addWidget(other);

  auto* zij = Frame(this, "fraZijderveld", "Zijderveld Projection (Use Declination, Inclination, Intensity Data)");
  auto* zg = new QGridLayout(zij);
  zg->addWidget(colourFrame(zij, "fraDecColor", "Declination Color / Symbol Size (Integer)", "txtDecColor",
                            {"255", "0", "0"}, true),
                0, 0, 1, 2);
  zg->addWidget(colourFrame(zij, "fraIncColor", "Inclination Color (Integer)", "txtIncColor", {"0", "0", "255"}, false),
                1, 0, 1, 2);
  auto* zgBoxes = new QWidget(zij);
  grid(zgBoxes, 1,
       {{"txtLength", "Length of x and y axis (centimeter):", "15"}, {"txtPlane", "Projection Plane (degree):", "0"}});
  zg->addWidget(zgBoxes, 2, 0, 1, 2);
  plotButtons(zg, 3,
              {{"cmdZPlot", "&Zijderveld Projection", [this] { Projection(ToolboxPlot::Zijderveld); }},
               {"cmdMZPlot", "&Modified Z-Projection", [this] { Projection(ToolboxPlot::ModifiedZijderveld); }},
               {"cmdPrintZPlot", "&1. Print Z-Plot", [this] { PrintProjection(ToolboxPlot::Zijderveld); }},
               {"cmdPrintMZPlot", "&2. Print M-Z-Plot", [this] { PrintProjection(ToolboxPlot::ModifiedZijderveld); }}});
  bottom->addWidget(zij);
}

QLineEdit* ProjectionsWindow::Box(const char* name, const QString& label, const QString& text) {
  auto* box = new QLineEdit(text, this);
  Describe(box, Q(name), label);
  boxes_[name] = box;
  return box;
}

QPushButton* ProjectionsWindow::Button(const char* name, const QString& caption, const QString& accessible) {
  auto* b = new QPushButton(caption, this);
  Describe(b, Q(name), accessible.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : accessible);
  boxes_[name] = b;
  return b;
}

std::string ProjectionsWindow::Text(const char* box) const {
  QWidget* w = boxes_.at(box);
  if (auto* line = qobject_cast<QLineEdit*>(w)) return FromQt(line->text());
  // Text boxes hold LF line ends; rows are read with CR LF.
  return FromQt(static_cast<QPlainTextEdit*>(w)->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
}

void ProjectionsWindow::SetText(const char* box, const std::string& latin1) {
  QWidget* w = boxes_.at(box);
  if (auto* line = qobject_cast<QLineEdit*>(w))
    line->setText(ToQt(latin1));
  else
    static_cast<QPlainTextEdit*>(w)->setPlainText(ToQt(latin1));
}

Dialogs& ProjectionsWindow::D() { return dialogs_(); }

void ProjectionsWindow::Refuse(const Refusal& r) {
  D().MessageBox(r.Text, r.Title);
  if (!r.Focus.empty()) boxes_.at(r.Focus)->setFocus();
}

std::optional<std::vector<Row>> ProjectionsWindow::RowsOf(const char* box, const char* emptyMessage) {
  if (Text(box).empty()) {
    Refuse({emptyMessage, "", box});
    return std::nullopt;
  }
  return ParseRows(Text(box));
}

void ProjectionsWindow::SpheToCart() {
  const auto rows = RowsOf("txtData", NoDirectionData);
  if (rows) SetText("txtCartData", SphericalToCartesianText(*rows));
}

void ProjectionsWindow::CartToSphe() {
  const auto rows = RowsOf("txtCartData", NoCartesianData);
  if (rows) SetText("txtData", CartesianToSphericalText(*rows));
}

void ProjectionsWindow::Fisher() {
  const auto rows = RowsOf("txtCartData", NoCartesianData);
  if (!rows) return;
  if (rows->empty()) {
    Refuse({NoCartesianData, "", "txtCartData"});
    return;
  }
  std::optional<float> p = SignificanceLevel(Text("txtSignificanceLevel"));
  if (!p) D().MessageBox(LevelMessage);
  const FisherBoxes b = ToolboxFisher(*rows, p.value_or(DefaultLevel));
  SetText("txtFisherDec", b.Dec);
  SetText("txtFisherInc", b.Inc);
  SetText("txtAlpha95", b.Alpha95);
  SetText("txtK", b.K);
  if (!b.Caution.empty()) D().MessageBox(b.Caution, "Fisher Analysis");
}

void ProjectionsWindow::VgpCalculate() {
  const VgpOutcome o =
      CalculateVgp(Text("txtFisherDec"), Text("txtFisherInc"), Text("txtAlpha95"), Text("txtLat"), Text("txtLong"));
  if (o.Refused) return Refuse(*o.Refused);
  SetText("txtVGPPoleLat", o.Boxes.PoleLat);
  SetText("txtVGPPoleLong", o.Boxes.PoleLong);
  if (o.Boxes.Dp) SetText("txtDP", *o.Boxes.Dp);
  if (o.Boxes.Dm) SetText("txtDM", *o.Boxes.Dm);
}

void ProjectionsWindow::VgpToSampleDecInc() {
  const DirectionOutcome o =
      DirectionFromPole(Text("txtVGPPoleLat"), Text("txtVGPPoleLong"), Text("txtLat"), Text("txtLong"));
  if (o.Refused) return Refuse(*o.Refused);
  SetText("txtFisherDec", o.Dec);
  SetText("txtFisherInc", o.Inc);
}

StyleTexts ProjectionsWindow::Style() const {
  StyleTexts s;
  s.Symbol = {Text("txtSymColorR"), Text("txtSymColorG"), Text("txtSymColorB")};
  s.Line = {Text("txtLineColorR"), Text("txtLineColorG"), Text("txtLineColorB")};
  s.SymbolSize = Text("txtSymSize");
  s.Connect = Text("txtConnect");
  s.Diameter = Text("txtDiameter");
  s.DecColour = {Text("txtDecColorR"), Text("txtDecColorG"), Text("txtDecColorB")};
  s.IncColour = {Text("txtIncColorR"), Text("txtIncColorG"), Text("txtIncColorB")};
  s.DecSize = Text("txtDecSize");
  s.Length = Text("txtLength");
  s.Plane = Text("txtPlane");
  return s;
}

PointsPlotWindow& ProjectionsWindow::PlotWindow() {
  if (!plot_) plot_ = new PointsPlotWindow(this);
  return *plot_;
}

void ProjectionsWindow::Projection(ToolboxPlot kind) {
  const StyleTexts style = Style();
  PointsPlotWindow& win = PlotWindow();
  win.SetProjectionWindow(PlotSize(style, kind), ToQt(PlotCaption(kind)));
  win.show();
  win.raise();
  const std::vector<Row> rows = ParseRows(Text("txtData"));
  if (rows.empty()) return D().MessageBox(NoPlotData);
  win.Panel()->Clear();
  std::optional<Refusal> refused;
  win.Panel()->Draw([&](plot::Surface& s) {
    refused = DrawProjection(s, plot::ScreenLayout(), state_, kind, rows, style);
  });
  if (refused) Refuse(*refused);
}

void ProjectionsWindow::Print(int copies, bool confirm, const std::function<void(plot::Surface&)>& draw) {
  if (!job_.Draw(copies, draw)) return;
  if (!confirm || D().YesNo("Print Now? If so, click Yes. If you want to print other  ellipses on the same diagram, "
                            "click No.",
                            "Confirmation of printing"))
    job_.End();
}

void ProjectionsWindow::PrintProjection(ToolboxPlot kind) {
  const StyleTexts style = Style();
  const std::vector<Row> rows = ParseRows(Text("txtData"));
  if (rows.empty()) return D().MessageBox(NoPlotData);
  // The style is checked before the printer is chosen: a refused style prints nothing.
  plot::RecordingSurface trial(plot::A4Width, plot::A4Height);
  plot::PlotState trialState;
  if (const auto refused = DrawProjection(trial, plot::PaperLayout(), trialState, kind, rows, style))
    return Refuse(*refused);
  const int copies = D().ChoosePrinter();
  if (copies < 1) return;
  Print(copies, IsNet(kind), [&](plot::Surface& s) {
    DrawProjection(s, plot::PaperLayout(), state_, kind, rows, style);
  });
}

std::optional<EllipseInputs> ProjectionsWindow::EllipseInputs() {
  FisherBoxes fisher;
  fisher.Dec = Text("txtFisherDec");
  fisher.Inc = Text("txtFisherInc");
  fisher.Alpha95 = Text("txtAlpha95");
  const EllipseOutcome o = ReadEllipseInputs(
      EllipseTextsOf(Style(), Text("txtLat"), Text("txtLong"), Text("txtLineThickness"), Text("txtNumPoints"), fisher),
      SizeTitle(ToolboxPlot::Stereographic));
  if (o.Refused) {
    Refuse(*o.Refused);
    return std::nullopt;
  }
  return o.Value;
}

namespace {
const char* const CircleQuestion = "Plot 95% Confidence Circle around mean declination and inclination of sample?";
const char* const SiteQuestion = "Plot sample site location as a Red Square?";
}  // namespace

void ProjectionsWindow::Ellipse(plot::NetKind kind) {
  const auto in = EllipseInputs();
  if (!in) return;
  PointsPlotWindow& win = PlotWindow();
  win.SetProjectionWindow(CentimetresToTwips(in->DiameterCm),
                          ToQt(PlotCaption(kind == plot::NetKind::Stereographic ? ToolboxPlot::Stereographic
                                                                                 : ToolboxPlot::EqualArea)));
  const bool circle = D().YesNo(CircleQuestion);
  win.show();
  win.raise();
  const bool site = D().YesNo(SiteQuestion);
  win.Panel()->Draw([&](plot::Surface& s) { DrawEllipse(s, plot::ScreenLayout(), state_, kind, *in, circle, site); });
}

void ProjectionsWindow::PrintEllipse(plot::NetKind kind) {
  const auto in = EllipseInputs();
  if (!in) return;
  const int copies = D().ChoosePrinter();
  if (copies < 1) return;
  const bool circle = D().YesNo(CircleQuestion);
  // The site question is asked once per copy, before the copy is drawn.
  std::vector<bool> sites;
  for (int k = 0; k < copies; ++k) sites.push_back(D().YesNo(SiteQuestion));
  size_t copy = 0;
  Print(copies, true, [&](plot::Surface& s) {
    DrawEllipse(s, plot::PaperLayout(), state_, kind, *in, circle, sites[copy++]);
  });
}

void ProjectionsWindow::ClearPlotArea() { PlotWindow().Panel()->Clear(); }

}  // namespace rmx::ui
