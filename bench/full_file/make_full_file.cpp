// Writes the full-size inputs the whole-command timings use, into the folder given:
//   full.mag   500 samples of 49 measured steps, each with a stored least-squares
//              result (normal and reversed, full- and half-weight labels)
//   FULL.tab, FULL.nta   the same size of section as laboratory files
#include <cstdio>
#include <exception>
#include <string>

#include "convert/lab_writer.h"
#include "full_file/stored_results.h"
#include "support/magbuilder.h"

using namespace rmx;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  try {
    test::WriteMag(folder + "/full.mag", test::FullSection(500, 49));
    bench::WriteStoredResults(folder + "/full.mag");
    const test::LabSection lab = test::FullLabSection(500, 49);
    test::WriteBytes(folder + "/FULL.tab", test::WriteLab(lab, Layout::Tab));
    test::WriteBytes(folder + "/FULL.nta", test::WriteLab(lab, Layout::Nta));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
