#pragma once
// The shipped stage sources as plain text, for the tests that check the stories as a whole.
#include <string>
#include <vector>

namespace morvik::stagetest {

inline const std::string kMap = std::string(MORVIK_STAGES_DIR) + "/mapdata.dat";

// The whole file, or an empty text when it cannot be read.
std::string ReadAll(const std::string& path);

// Stage numbers of the map file's blocks ("@NN" lines), in file order.
std::vector<int> BlockNumbers(const std::string& text);

}  // namespace morvik::stagetest
