// Typed rows of the projections toolbox: reading and the two conversions.
#include <gtest/gtest.h>

#include "toolbox/rows.h"

namespace rmx::toolbox {
namespace {

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<Row> rows;
};

TEST(ProjRows, ParseRows) {
  const ParseCase cases[] = {
      {"blank separated, CR LF", "10 20 2\r\n30 -40 3\r\n", {{10, 20, 2}, {30, -40, 3}}},
      {"mixed separators", "10, 20,\t2\r\n30 ,, 40  ,3", {{10, 20, 2}, {30, 40, 3}}},
      {"LF line ends", "1 2\n3 4\n", {{1, 2, 1}, {3, 4, 1}}},
      {"CR line ends", "1 2 5\r3 4\r", {{1, 2, 5}, {3, 4, 1}}},
      {"no intensity defaults to one", "12.5 30", {{12.5f, 30, 1}}},
      {"last row without a line end", "1 2 3\r\n4 5 6", {{1, 2, 3}, {4, 5, 6}}},
      {"blank lines and leading blanks", "\r\n\r\n   1 2 3\r\n\r\n  4 5\r\n\r\n", {{1, 2, 3}, {4, 5, 1}}},
      {"trailing blanks before the line end", "1 2 \r\n3 4\t\r\n", {{1, 2, 1}, {3, 4, 1}}},
      {"four values on a line begin a new row", "1 2 3 4 5 6\r\n", {{1, 2, 3}, {4, 5, 6}}},
      {"a header line stops at once", "Dec Inc Int\r\n1 2 3\r\n", {}},
      {"a bad value drops its row and stops", "1 2 3\r\n4 x 6\r\n7 8 9\r\n", {{1, 2, 3}}},
      {"a row cut short is dropped", "1 2 3\r\n4\r\n5 6\r\n", {{1, 2, 3}}},
      {"a value beyond Single range stops", "1 2 3\r\n1e40 2 3\r\n", {{1, 2, 3}}},
      {"comma decimals are not numbers", "1,5 2,5\r\n", {{1, 5, 2}}},
      {"empty", "", {}},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(ParseRows(c.text), c.rows) << c.name;
}

TEST(ProjRows, Conversions) {
  // 12.5 / 30 without intensity: the unit vector; with intensity 2 twice it.
  EXPECT_EQ(SphericalToCartesianText(ParseRows("12.5 30\r\n12.5 30 2\r\n")),
            "        0.845497        0.187442        0.500000\r\n"
            "        1.690994        0.374884        1.000000\r\n");
  EXPECT_EQ(CartesianToSphericalText(ParseRows("0 0 5\r\n0 0 -5\r\n0 -1 0\r\n")),
            "            0.00         90.00        5.000000\r\n"
            "            0.00        -90.00        5.000000\r\n"
            "          270.00          0.00        1.000000\r\n");
  // Both ways round: the direction box's own rows come back.
  const std::string directions = "          123.40        -56.70        2.500000\r\n";
  EXPECT_EQ(CartesianToSphericalText(ParseRows(SphericalToCartesianText(ParseRows(directions)))), directions);
}

}  // namespace
}  // namespace rmx::toolbox
