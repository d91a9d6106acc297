#include "tools/cli/CommandLine.h"

namespace morvik {

bool WantsHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

int ParseStageNumber(const std::string& s) {
  if (s.empty() || s.size() > 2 || s.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoi(s);
}

std::string ParsePlayArgs(const std::vector<std::string>& args, PlayArgs& a) {
  bool options = true, haveFile = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& s = args[i];
    if (options && s == "--") {
      options = false;
    } else if (options && s == "--stage") {
      if (i + 1 >= args.size() || (a.stage = ParseStageNumber(args[++i])) < 0) return "--stage needs a stage number 0 to 99";
    } else if (options && s.size() > 1 && s[0] == '-') {
      return "unknown option '" + s + "'";
    } else if (!haveFile) {
      a.file = s;
      haveFile = true;
    } else {
      a.moves += s;
    }
  }
  if (!haveFile) return "no file given";
  if (a.moves.empty()) return "no moves given";
  return "";
}

}  // namespace morvik
