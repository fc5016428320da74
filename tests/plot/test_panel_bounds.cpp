// Every plot stays inside its panel or page: every point, line and label of every
// kind of plot, for every sample of the real data sets (skipped when the data folder
// is absent), on panels of several shapes and on the printed page.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "convert/lab_file.h"
#include "plot/all_samples.h"
#include "plot/plot_helpers.h"
#include "plot/sample_plot.h"
#include "session/session.h"

using namespace rmx;
using namespace rmx::plot;
using namespace rmx::test;

namespace {

// A surface that checks every primitive as it is drawn: both ends of a line, the
// whole of a circle or square, the top-left corner of a text.
class BoundsSurface : public Surface {
 public:
  BoundsSurface(double w, double h) : w_(w), h_(h) {}
  double Width() const override { return w_; }
  double Height() const override { return h_; }
  int drawn = 0;
  std::vector<std::string> outside;

 protected:
  void DrawClear() override {}
  void DrawLine(double x1, double y1, double x2, double y2, Colour c) override {
    Check({Kind::Line, x1, y1, x2, y2, 0, false, c, {}, {}}, x1, y1, x2, y2);
  }
  void DrawBox(double x, double y, double side, bool filled, Colour c) override {
    Check({Kind::Box, x, y, 0, 0, side, filled, c, {}, {}}, x, y, x + side, y + side);
  }
  void DrawCircle(double x, double y, double r, bool filled, Colour c) override {
    Check({Kind::Circle, x, y, 0, 0, r, filled, c, {}, {}}, x - r, y - r, x + r, y + r);
  }
  void DrawText(double x, double y, std::string_view text, Colour c, const Font& f) override {
    Check({Kind::Text, x, y, 0, 0, 0, false, c, std::string(text), f}, x, y, x, y);
  }

 private:
  bool Inside(double x, double y) const { return x >= 0 && y >= 0 && x <= w_ && y <= h_; }
  void Check(const Primitive& p, double x1, double y1, double x2, double y2) {
    ++drawn;
    if (!Inside(x1, y1) || !Inside(x2, y2)) outside.push_back(Describe(p));
  }
  double w_, h_;
};

const struct Frame {
  const char* name;
  double width, height;
  bool paper;
} Frames[] = {{"default panel", 7575, 6405, false}, {"wide panel", 12000, 4500, false},
              {"tall panel", 4500, 8000, false},     {"A4 page", A4Width, A4Height, true}};

class RealDataBounds : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(RealDataBounds, EverySamplePlotAndAllSampleNetStaysInside) {
  const std::string source = std::string(REMANEX_REAL_DATA) + "/" + GetParam();
  if (!std::filesystem::exists(source)) GTEST_SKIP() << "no real data at " << source;
  TempDir dir;
  const std::string path = dir.File("real.mag");
  const auto records = ReadLaboratoryFile(ReadBytes(source), Layout::Tab).records;
  WriteSlots(path, {records.begin(), records.end()});
  Session session;
  session.GetOpenFileName(path);
  session.Load();
  std::vector<std::string> failures;
  // Draws on a checking surface of each frame and keeps what fell outside.
  const auto expect = [&](const std::string& what, const std::function<void(Surface&, const Frame&)>& draw) {
    for (const Frame& f : Frames) {
      BoundsSurface s(f.width, f.height);
      draw(s, f);
      if (s.drawn == 0) failures.push_back(what + " on the " + f.name + ": nothing drawn");
      for (const std::string& p : s.outside) failures.push_back(what + " on the " + f.name + ": " + p);
    }
  };
  for (int p = 1; p <= session.SampleCount(); ++p) {
    session.ListSample(p);
    const SampleHeader& header = session.CurrentHeader();
    for (const int32_t plane : {header.ProjectionDec, -2, 135})
      for (PlotKind kind : {PlotKind::Zijderveld, PlotKind::ModifiedZijderveld, PlotKind::Stereographic,
                            PlotKind::EqualArea})
        for (Coordinates coords : {Coordinates::Geographic, Coordinates::TiltCorrected}) {
          if (IsNet(kind) && plane != header.ProjectionDec) continue;  // the plane is the diagram's only
          SampleHeader h = header;
          h.ProjectionDec = plane;
          expect(header.SampleName + " " + PanelTitle(kind, coords) + " plane " + std::to_string(plane),
                 [&](Surface& s, const Frame& f) {
                   PlotState state;
                   DrawSamplePlot(s, f.paper ? PaperLayout() : ScreenLayout(), state, kind, coords, h,
                                  session.Steps());
                 });
        }
  }
  // Every level some step of the file has, and the NRM and least-squares sets.
  std::set<float> levels;
  for (const SampleRecords& r : ReadAllSamples(session, AllSamplesData::AlternatingField))
    for (const StepRecord& s : r.Steps) levels.insert(s.Level);
  std::vector<std::pair<AllSamplesData, float>> sets = {{AllSamplesData::Nrm, 0}, {AllSamplesData::LSquare, 0}};
  for (float level : levels) sets.push_back({AllSamplesData::ArbitraryTemperature, level});
  size_t points = 0;
  for (const auto& [data, level] : sets) {
    const auto records = ReadAllSamples(session, data);
    for (NetKind net : {NetKind::Stereographic, NetKind::EqualArea})
      for (Coordinates coords : {Coordinates::Geographic, Coordinates::TiltCorrected}) {
        const PointSelection sel = SelectPoints(records, data, level, coords);
        points += sel.Declinations.size();
        const PageHeading heading{session.FileName(), PrintedAllSamplesTitle(data, net, coords, level)};
        expect(heading.Title, [&](Surface& s, const Frame& f) {
          PlotState state;
          DrawAllSamplesPlot(s, f.paper ? PaperLayout() : ScreenLayout(), state, net, sel, f.paper ? &heading : nullptr);
        });
      }
  }
  EXPECT_GT(points, 0u);
  std::ostringstream first;
  for (size_t k = 0; k < failures.size() && k < 20; ++k) first << failures[k] << "\n";
  EXPECT_TRUE(failures.empty()) << failures.size() << " primitives outside, the first:\n" << first.str();
}

INSTANTIATE_TEST_SUITE_P(Sets, RealDataBounds,
                         ::testing::Values("simpson_island_si1/SI1.tab", "jan_mayen_thermal/JMT.tab",
                                           "sfvf_thermal/SFVT.tab"),
                         [](const auto& info) {
                           const std::string set(info.param);
                           return set.substr(0, set.find('/'));
                         });
