// morvik-cli: the game's rules on the command line, without a window. See Usage() below and
// man/morvik-cli.1 for the commands, options and exit statuses.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "core/Translate.h"
#include "core/ModMain.h"
#include "core/Move.h"
#include "core/Stories.h"
#include "stagedata/StageReader.h"
#include "tools/cli/BoardJson.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/FileText.h"
#include "tools/cli/PictureCommand.h"
#include "tools/cli/SolveCommand.h"
#include "tools/cli/TableCommand.h"
#include "tools/textbuild/EnglishTexts.h"

using namespace morvik;

namespace {

void Usage(std::ostream& out) {
  out << "usage: morvik-cli play FILE [--stage N] [--] MOVES\n"
         "       morvik-cli solve FILE [--stage N] [--from MOVES] [--json] [--answer] [LIMITS]\n"
         "       morvik-cli verify MAPFILE [--jobs N] [LIMITS]\n"
         "       morvik-cli table MAPFILE [--names FILE] [--solutions FILE] [--update LIST] [--stage N]\n"
         "                        [--plain-states N] [--guided-states N] [--max-states N] [--max-seconds S]\n"
         "       morvik-cli decoys MAPFILE --solutions FILE [--stage N] [--max-states N] [--max-seconds S]\n"
         "       morvik-cli uses MAPFILE --solutions FILE [--stage N]\n"
         "       morvik-cli show MAPFILE [N] | block PICTUREFILE N | legend\n"
         "       morvik-cli --help | -h | --version\n"
         "  LIMITS: [--max-states N] [--max-seconds S] [--max-memory MB] [--breadth-first]\n"
         "          (memory: 2048 MB a search unless given)\n"
         "  MOVES: L U R D walk, T turn, Z dig, G give up, J1..J5 jump\n"
         "  Options may stand anywhere after the command; after \"--\" every word is a file or moves.\n"
         "  play: plays MOVES and prints the board as JSON\n"
         "  solve: a shortest solution in key presses; --from solves from where MOVES lead;\n"
         "         --answer also writes FILEa for the guide; --json prints verdict, reason,\n"
         "         moves, presses, states (stored), expanded and seconds\n"
         "  verify: every stage of a map file solved, N at once (all cores unless given);\n"
         "          fails if any is unsolvable or unknown\n"
         "  table: per stage the mechanics and walking share of the kept clear, its presses, the states\n"
         "         of the plain and guided searches, traps, decoys and the row's fingerprint\n"
         "  uses: the mechanics each kept solution uses, without a search\n"
         "  show, block: a stage as a picture (ten rows of ten cells, ground then piece; see legend)\n"
         "               and a picture as a stage block\n"
         "Exit status: 0 done (solve: solved; verify: every stage solved),\n"
         "             1 unsolvable or unknown (a limit came first),\n"
         "             2 usage error or a file that cannot be read.\n";
}

int UsageError(const std::string& complaint) {
  std::cerr << "morvik-cli: " << complaint << "\nTry 'morvik-cli --help' for more information.\n";
  return 2;
}

int Play(const std::vector<std::string>& args) {
  PlayArgs a;
  if (const std::string e = ParsePlayArgs(args, a); !e.empty()) return UsageError("play: " + e);
  std::string text;
  if (std::string why; !ReadFileText(a.file, text, &why)) {
    std::cerr << "morvik-cli: " << a.file << ": " << why << "\n";
    return 2;
  }
  const StageRequest request{a.stage < 0 ? 0 : a.stage, a.stage < 0, false};
  const StageResult result = ReadStage(std::string_view(text), request);
  if (const auto* e = std::get_if<StageError>(&result)) {
    std::cerr << "morvik-cli: " << StageErrorMessage(*e, a.file) << "\n";
    return 2;
  }
  Board board = std::get<LoadedStage>(result).board;
  board.hiddenWarp = !request.unitPlay && request.stageNo == HiddenExitStage;
  std::string error;
  const auto moves = ParseMoves(a.moves, error);
  if (!moves) {
    std::cerr << "morvik-cli: " << error << "\n";
    return 2;
  }
  PlayMoves(board, *moves);
  std::cout << BoardJson(board) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // morvik-cli speaks English: its own messages and, through the translation, the shared libraries' too.
  SetTranslator(&EnglishText);
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  if (args.empty()) return UsageError("no command given");
  const std::string& command = args[0];
  if (WantsHelp(args)) {
    Usage(std::cout);
    return 0;
  }
  if (command == "--version") {
    std::cout << "morvik-cli " << AppVersion << "\n";
    return 0;
  }
  if (command == "play") return Play(args);
  if (command == "solve") return SolveMain(args, std::cout, std::cerr);
  if (command == "verify") return VerifyMain(args, std::cout, std::cerr);
  if (command == "table") return TableMain(args, std::cout, std::cerr);
  if (command == "decoys") return DecoysMain(args, std::cout, std::cerr);
  if (command == "uses") return UsesMain(args, std::cout, std::cerr);
  if (command == "show") return ShowMain(args, std::cout, std::cerr);
  if (command == "block") return BlockMain(args, std::cout, std::cerr);
  if (command == "legend") return LegendMain(std::cout);
  if (!command.empty() && command[0] == '-') return UsageError("unknown option '" + command + "'");
  return UsageError("unknown command '" + command + "'");
}
