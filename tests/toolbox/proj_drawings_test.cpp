// The toolbox drawings, through the recording surface.
#include <gtest/gtest.h>

#include "plot/points_plot.h"
#include "toolbox/drawings.h"
#include "toolbox/proj_helpers.h"

namespace rmx::toolbox {
namespace {

using plot::Primitive;
using Kind = plot::Primitive::Kind;

size_t Count(const plot::RecordingSurface& s, Kind kind, plot::Colour c, double size = -1) {
  size_t n = 0;
  for (const Primitive& p : s.Primitives())
    if (p.kind == kind && p.Ink == c && (size < 0 || p.Size == size)) ++n;
  return n;
}

const Primitive* Text(const plot::RecordingSurface& s, const std::string& text) {
  for (const Primitive& p : s.Primitives())
    if (p.kind == Kind::Text && p.Text == text) return &p;
  return nullptr;
}

TEST(ProjDrawings, NetPoints) {
  const std::vector<Row> rows = ParseRows("10 20\r\n100 -30\r\n200 50\r\n");
  struct Case {
    const char* connect;
    size_t squares, circles, openCircles, chords;
  };
  for (const Case& c : {Case{"Yes", 1, 2, 1, 200}, Case{"no", 0, 3, 1, 0}}) {
    StyleTexts style;
    style.Connect = c.connect;
    style.Symbol = {"10", "20", "30"};
    style.Line = {"40", "50", "60"};
    style.SymbolSize = "3";
    plot::RecordingSurface s(9000, 9000);
    plot::PlotState state;
    ASSERT_FALSE(DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::EqualArea, rows, style));
    EXPECT_EQ(state.NetRadius, static_cast<float>(CentimetresToTwips(15) / 2));
    const plot::Colour symbol{10, 20, 30};
    EXPECT_EQ(Count(s, Kind::Box, symbol, 60), c.squares) << c.connect;
    EXPECT_EQ(Count(s, Kind::Circle, symbol, 30), c.circles) << c.connect;
    size_t open = 0;
    for (const Primitive& p : s.Primitives()) open += p.kind == Kind::Circle && p.Ink == symbol && !p.Filled;
    EXPECT_EQ(open, c.openCircles) << c.connect;
    EXPECT_EQ(Count(s, Kind::Line, plot::Colour{40, 50, 60}), c.chords) << c.connect;
    EXPECT_TRUE(Text(s, "N")) << "the net is drawn";
  }
  // A refused style leaves the net and draws no symbol.
  StyleTexts bad;
  bad.SymbolSize = "0";
  plot::RecordingSurface s(9000, 9000);
  plot::PlotState state;
  const auto refused = DrawProjection(s, plot::ScreenLayout(), state, ToolboxPlot::Stereographic, rows, bad);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Title, "Stereographic Plot Symbol Size");
  EXPECT_EQ(Count(s, Kind::Circle, plot::Blue), 0u);
  EXPECT_EQ(Count(s, Kind::Circle, plot::Black), 9u);
}

TEST(ProjDrawings, Zijderveld) {
  const std::vector<Row> rows = ParseRows("0 0 2\r\n90 30 1\r\n180 -10 1\r\n");
  StyleTexts style;
  style.Plane = "-10";
  style.DecSize = "2";
  for (bool paper : {false, true}) {
    plot::RecordingSurface s(paper ? plot::A4Width : 9000, paper ? plot::A4Height : 9000);
    plot::PlotState state;
    const plot::PlotLayout& layout = paper ? plot::PaperLayout() : plot::ScreenLayout();
    ASSERT_FALSE(DrawProjection(s, layout, state, ToolboxPlot::ModifiedZijderveld, rows, style));
    EXPECT_EQ(Count(s, Kind::Box, plot::Red, 40), 1u) << paper;
    EXPECT_EQ(Count(s, Kind::Box, plot::Blue, 40), 1u) << paper;
    EXPECT_EQ(Count(s, Kind::Circle, plot::Red, 20), 2u) << paper;
    const Primitive* note = Text(s, "Horizontal; No Projection");
    ASSERT_TRUE(note) << paper;
    EXPECT_EQ(note->Ink, plot::Blue);
    // Everything stays inside the surface.
    for (const Primitive& p : s.Primitives()) {
      if (p.kind == Kind::Clear || p.kind == Kind::Text) continue;
      const bool line = p.kind == Kind::Line;
      EXPECT_GE(line ? std::min(p.X1, p.X2) : p.X1 - p.Size, 0) << Describe(p);
      EXPECT_LE(line ? std::max(p.X1, p.X2) : p.X1 + p.Size, s.Width()) << Describe(p);
    }
  }
}

TEST(ProjDrawings, Ellipse) {
  EllipseTexts t = GoodEllipse();
  t.Line = {"0", "128", "0"};
  t.Thickness = "1.5";
  struct Case {
    const char* points;
    bool circle, site;
    size_t dots, squares;
  };
  for (const Case& c : {Case{"100", true, true, 202, 1}, Case{"100", false, false, 101, 0}, Case{"0", true, true, 0, 1}}) {
    t.Points = c.points;
    const EllipseOutcome in = ReadEllipseInputs(t, "");
    ASSERT_FALSE(in.Refused);
    plot::RecordingSurface s(9000, 9000);
    plot::PlotState state;
    DrawEllipse(s, plot::ScreenLayout(), state, plot::NetKind::Stereographic, in.Value, c.circle, c.site);
    EXPECT_EQ(Count(s, Kind::Circle, plot::Blue, 40), 1u) << "the pole";
    EXPECT_EQ(Count(s, Kind::Circle, plot::Colour{0, 128, 0}, 6), c.dots) << c.points;
    EXPECT_EQ(Count(s, Kind::Box, plot::Red, 60), c.squares) << c.points;
  }
}

}  // namespace
}  // namespace rmx::toolbox
