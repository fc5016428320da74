// convert: the conversion dialog's Convert, headless.
#include <filesystem>
#include <iostream>

#include "cli/cli.h"
#include "convert/convert.h"

namespace rmx::cli {

int RunConvert(const std::vector<std::string>& args, std::ostream& out) {
  const Arguments parsed = SplitArguments(args, {"output"}, {"overwrite"});
  if (parsed.positional.size() > 1) throw UsageError("convert takes one input file");
  if (parsed.positional.empty()) throw UsageError("convert needs an input file");
  const std::string input = parsed.positional[0];
  const bool haveOutput = parsed.Has("output");
  std::string outputName = haveOutput ? *parsed.Option("output") : std::string();
  const bool overwrite = parsed.Has("overwrite");

  const std::filesystem::path in(input);
  const std::string fileName = in.filename().string();
  if (!LayoutOf(fileName))
    throw Failure(input, "not a laboratory file: the name must end in .app, .tab, .nta, .cma or .txt");
  if (!haveOutput) outputName = OutputName(fileName);
  if (const std::string problem = OutputNameProblem(outputName); !problem.empty())
    throw UsageError("--output " + outputName + ": " + problem);

  // The command line's answer to the overwrite question is --overwrite.
  const std::string outputPath = PathJoin(in.parent_path().string(), outputName);
  if (SameFile(outputPath, input)) throw Failure(outputPath, "is the input file itself; choose another output name");
  if (PathExists(outputPath) && !overwrite)
    throw Failure(outputPath, "already exists; it was not replaced (add --overwrite to replace it)");

  const ConvertResult r = ConvertTo(input, outputName, overwrite);
  if (!r.ok) {
    out.flush();
    PrintReport(std::cerr, r.errorText + "\r\n");
    return 1;
  }
  out << r.outputPath << '\n';
  return 0;
}

}  // namespace rmx::cli
