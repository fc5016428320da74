// The table of commands. Each command lives in a file of its own in this folder.
#include "cli/cli.h"

namespace rmx::cli {

int RunSamples(const std::vector<std::string>& args, std::ostream& out);
int RunListing(const std::vector<std::string>& args, std::ostream& out);
int RunPlot(const std::vector<std::string>& args, std::ostream& out);
int RunPlotAll(const std::vector<std::string>& args, std::ostream& out);
int RunConvert(const std::vector<std::string>& args, std::ostream& out);
int RunFit(const std::vector<std::string>& args, std::ostream& out);
int RunResults(const std::vector<std::string>& args, std::ostream& out);
int RunFisher(const std::vector<std::string>& args, std::ostream& out);
int RunKono(const std::vector<std::string>& args, std::ostream& out);
int RunCoords(const std::vector<std::string>& args, std::ostream& out);
int RunToolbox(const std::vector<std::string>& args, std::ostream& out);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"samples", "FILE.mag", "prints the sample list (heading first)", RunSamples},
      {"listing", "FILE.mag N", "prints the data listing of sample N", RunListing},
      {"convert", "INPUT [--output NAME] [--overwrite]", "converts a laboratory file into a sample file next to it", RunConvert},
      {"fit", "FILE.mag N --steps LIST --label L | FILE.mag --plan PLAN", "selects exactly the LIST steps of sample N (e.g. 3,4,ORG) for least squares,\n      fits them with polarity label L and prints the sample's listing; with --plan, reads lines\n      \"SAMPLE STEPS LABEL\" (SAMPLE a number or a name, STEPS as for --steps or NONE) from the file\n      PLAN (- for standard input), fits each in order in this one process and prints one line per fit;\n      a bad line stops the plan with its line number: the lines before it stay done, nothing of it is written", RunFit},
      {"results", "FILE.mag", "prints all least-squares results (Display All Results)", RunResults},
      {"fisher", "FILE.mag --data nrm|lsq|af|at --coords g|t [--level X] [--weighted y|n] [--estimate INC,DEC]", "prints the Fisher analysis of all samples (All > Fisher statistics); --level for af and at,\n      --weighted for lsq, --estimate (normal inclination and declination) for nrm, af and at", RunFisher},
      {"plot", "FILE.mag N --kind zijderveld|modified-zijderveld|stereographic|equal-area --coords geographic|tilt --out FILE.svg|.png|.pdf|.txt [--size WIDTHxHEIGHT] [--dpi D] [--paper]", "draws a plot of sample N as the plot window shows it (a panel of WIDTHxHEIGHT twips, by default that of a\n      1024x768-pixel window; PNG at D dpi, 96 by default) or, with --paper, as printed on an A4 page;\n      .txt writes the drawing primitives", RunPlot},
      {"kono", "FILE|- [--weighted]", "prints the Kono (1980) palaeolatitude of a table of polarity, inclination and intensity\n      rows read from FILE or standard input (Toolbox > Kono (1980) Latitude Calculator)", RunKono},
      {"coords", "sph2cart D I M [--digits N] | cart2sph X1 X2 X3 [--digits N] | inc2lat I | lat2inc LAT", "converts a vector between declination, inclination, intensity and north, east, down,\n      or an inclination to a latitude and back (Toolbox > Coordinate Conversion)", RunCoords},
      {"toolbox", "fisher FILE|- [--level P] [--site LAT,LON] | convert sph2cart|cart2sph FILE|- | plot FILE|- --kind stereographic|equal-area|zijderveld|modified-zijderveld|ellipse-stereographic|ellipse-equal-area --out FILE.svg|.png|.pdf|.txt [--symbol-colour R,G,B] [--line-colour R,G,B] [--symbol-size S] [--connect yes|no] [--diameter CM] [--dec-colour R,G,B] [--inc-colour R,G,B] [--dec-size S] [--length CM] [--plane DEG] [--level P --site LAT,LON --points N --thickness T --circle --site-square] [--size WIDTHxHEIGHT] [--dpi D] [--paper]", "the projections toolbox on typed rows (three numbers a line): the Fisher boxes (and the pole with --site)\n      of Cartesian rows, the conversion of rows between the two boxes, and the toolbox plots of direction\n      rows (the ellipse plots take Cartesian rows, as Fisher Analysis does)", RunToolbox},
      {"plot-all", "FILE.mag --data nrm|lsq|af|at [--level X] --kind stereographic|equal-area --coords geographic|tilt --out FILE.svg|.png|.pdf|.txt [--size WIDTHxHEIGHT] [--dpi D] [--paper]", "draws one direction per active sample on one net as the plot window's net panel shows it (All > Stereo\n      Plot All; --level for af and at) or, with --paper, as printed with its two heading lines", RunPlotAll},
  };
  return commands;
}

}  // namespace rmx::cli
