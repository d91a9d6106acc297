// The play information file: read on top of the values in use; what was read is written and
// read back to the same farthest stage.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/PlayInfoFormat.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PlayInfo current{false, true, 7, 1, 1, 1};
  const PlayInfoRead read = DecodePlayInfo(std::string_view(reinterpret_cast<const char*>(data), size), current);
  if (read.failed) {
    FUZZ_CHECK(read.info.stageReached == current.stageReached);
    return 0;
  }
  FUZZ_CHECK(read.info.stageReached >= 1);
  const std::string again = EncodePlayInfo(read.info, "2024/03/05");
  const PlayInfoRead reread = DecodePlayInfo(again, current);
  FUZZ_CHECK(!reread.failed);
  if (read.info.stageReached <= MaxStoredStageReached) FUZZ_CHECK(reread.info.stageReached == read.info.stageReached);
  return 0;
}
