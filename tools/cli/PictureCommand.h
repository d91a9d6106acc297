#pragma once
// morvik-cli show MAPFILE [N]      the stage (every stage the file holds when no N) as a picture
// morvik-cli block PICTUREFILE N   the picture as stage block N (CR LF), on standard output
// morvik-cli legend                the picture's letters
// A stage goes through the real stage reader on its way to a picture, and a picture through
// the stage writer and then the reader on its way to a block, so a block that `block` prints
// is one the game reads. Exit 2 on a refusal, naming the file, the row and column or line, and
// the reason.
#include <iosfwd>
#include <string>
#include <vector>

namespace morvik {

int ShowMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int BlockMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int LegendMain(std::ostream& out);

}  // namespace morvik
