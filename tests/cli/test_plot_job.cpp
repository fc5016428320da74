// The job the command line sends to the plot writer: every field comes back as sent,
// and bytes that are not a whole job of this version are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "cli/plot_writer.h"

using namespace rmx;
using namespace rmx::cli;

namespace {

PlotFileJob SampleJob() {
  PlotFileJob job{.path = "/tmp/r\xC3\xA9sultat 1.pdf", .kind = PlotFileKind::Pdf, .width = 11906.5, .height = 16838,
                  .dpi = 150, .paper = true, .primitives = {}};
  plot::Primitive line, circle, text;
  line.kind = plot::Primitive::Kind::Line;
  line.X1 = 0.1, line.Y1 = -1e300, line.X2 = std::numeric_limits<double>::denorm_min(), line.Y2 = 4020.125;
  line.Ink = {1, 2, 255};
  circle.kind = plot::Primitive::Kind::Circle;
  circle.Size = 35, circle.Filled = true;
  text.kind = plot::Primitive::Kind::Text;
  text.Text = std::string("Sit\xE9 N\0rth", 10);  // ISO 8859-1, a zero byte inside
  text.TextFont = {"Arial", 7.5};
  job.primitives = {plot::Primitive{}, line, circle, text};
  return job;
}

}  // namespace

TEST(PlotJob, EveryFieldComesBackAsSent) {
  const PlotFileJob sent = SampleJob();
  PlotFileJob got;
  ASSERT_TRUE(DecodeJob(EncodeJob(sent), got));
  EXPECT_EQ(std::tie(got.version, got.path, got.kind, got.width, got.height, got.dpi, got.paper, got.primitives),
            std::tie(PlotWriterVersion, sent.path, sent.kind, sent.width, sent.height, sent.dpi, sent.paper,
                     sent.primitives));

  PlotFileJob empty;
  ASSERT_TRUE(DecodeJob(EncodeJob(PlotFileJob{}), empty));
  EXPECT_TRUE(empty.primitives.empty());
}

TEST(PlotJob, BytesThatAreNoWholeJobAreRefused) {
  const std::string bytes = EncodeJob(SampleJob());
  PlotFileJob job;
  // Every cut, and one byte too many.
  for (size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(DecodeJob(bytes.substr(0, n), job)) << n;
  EXPECT_FALSE(DecodeJob(bytes + '\0', job));
  // Another version: refused, and the version is told.
  std::string other = bytes;
  other[8] = static_cast<char>(PlotWriterVersion + 1);
  EXPECT_FALSE(DecodeJob(other, job));
  EXPECT_EQ(job.version, PlotWriterVersion + 1);
  // A count of primitives far beyond the bytes does not make the reader allocate them.
  std::string huge = EncodeJob(PlotFileJob{});
  huge.replace(huge.size() - 8, 8, std::string(8, '\xFF'));
  EXPECT_FALSE(DecodeJob(huge, job));
  // An unknown file format or primitive kind.
  std::string kind = bytes;
  kind[12] = 7;
  EXPECT_FALSE(DecodeJob(kind, job));
}
