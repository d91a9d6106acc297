// morvik-cli: the game's rules on the command line, without a window.
//   morvik-cli play FILE [--stage N] MOVES
//   morvik-cli solve FILE [--stage N] [--from MOVES] [--json] [--answer] [LIMITS]
//   morvik-cli verify MAPFILE [--jobs N] [LIMITS]
//   morvik-cli table MAPFILE [--names FILE] [--solutions FILE] [--stage N] [--max-states N] [--max-seconds S]
//   morvik-cli decoys MAPFILE --solutions FILE [--stage N] [--max-states N] [--max-seconds S]
//   morvik-cli show MAPFILE [N] | block PICTUREFILE N | legend
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "core/Move.h"
#include "stagedata/StageReader.h"
#include "tools/cli/BoardJson.h"
#include "tools/cli/FileText.h"
#include "tools/cli/PictureCommand.h"
#include "tools/cli/SolveCommand.h"
#include "tools/cli/TableCommand.h"

using namespace morvik;

namespace {

int Usage() {
  std::cerr << "usage: morvik-cli play FILE [--stage N] MOVES\n"
               "       morvik-cli solve FILE [--stage N] [--from MOVES] [--json] [--answer] [LIMITS]\n"
               "       morvik-cli verify MAPFILE [--jobs N] [LIMITS]\n"
               "       morvik-cli table MAPFILE [--names FILE] [--solutions FILE] [--stage N] [--max-states N] [--max-seconds S]\n"
               "       morvik-cli decoys MAPFILE --solutions FILE [--stage N] [--max-states N] [--max-seconds S]\n"
               "       morvik-cli show MAPFILE [N] | block PICTUREFILE N | legend\n"
               "  LIMITS: [--max-states N] [--max-seconds S] [--max-memory MB] [--breadth-first]\n"
               "          (memory: 2048 MB a search unless given)\n"
               "  MOVES: L U R D walk, T turn, Z dig, G give up, J1..J5 jump\n"
               "  solve: a shortest solution in key presses; --from solves from where MOVES lead;\n"
               "         --answer also writes FILEa for the guide\n"
               "  verify: every stage of a map file solved, N at once (all cores unless given);\n"
               "          fails if any is unsolvable or unknown\n"
               "  table: per stage shortest presses, states explored, traps and decoys (limits per solve)\n"
               "  show, block: a stage as a picture (ten rows of ten cells, ground then piece; see legend)\n"
               "               and a picture as a stage block\n";
  return 2;
}

int Play(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::string file = argv[2];
  StageRequest request{0, true, false};
  std::string moveText;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--stage" && i + 1 < argc) {
      const std::string n = argv[++i];
      if (n.empty() || n.size() > 2 || n.find_first_not_of("0123456789") != std::string::npos) {
        std::cerr << "morvik-cli: --stage needs a stage number 0 to 99\n";
        return 2;
      }
      request = {std::stoi(n), false, false};
    } else {
      moveText += a;
    }
  }
  std::string text;
  if (std::string why; !ReadFileText(file, text, &why)) {
    std::cerr << "morvik-cli: " << file << ": " << why << "\n";
    return 2;
  }
  const StageResult result = ReadStage(std::string_view(text), request);
  if (const auto* e = std::get_if<StageError>(&result)) {
    std::cerr << "morvik-cli: " << StageErrorMessage(*e, file) << "\n";
    return 2;
  }
  Board board = std::get<LoadedStage>(result).board;
  board.hiddenWarp = !request.unitPlay && request.stageNo == 16;
  std::string error;
  const auto moves = ParseMoves(moveText, error);
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
  const std::string command = argc >= 2 ? argv[1] : "";
  const std::vector<std::string> rest(argv + std::min(argc, 2), argv + argc);
  std::vector<std::string> args{command};
  args.insert(args.end(), rest.begin(), rest.end());
  if (command == "play") return Play(argc, argv);
  if (command == "solve" && argc >= 3) return SolveMain(args, std::cout, std::cerr);
  if (command == "verify" && argc >= 3) return VerifyMain(args, std::cout, std::cerr);
  if (command == "table" && argc >= 3) return TableMain(args, std::cout, std::cerr);
  if (command == "decoys" && argc >= 3) return DecoysMain(args, std::cout, std::cerr);
  if (command == "show") return ShowMain(args, std::cout, std::cerr);
  if (command == "block") return BlockMain(args, std::cout, std::cerr);
  if (command == "legend") return LegendMain(std::cout);
  return Usage();
}
