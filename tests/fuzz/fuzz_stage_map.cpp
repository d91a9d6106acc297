// The stage reader on a map file: the first byte picks the stage sought and the kind of play.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "stagedata/StageReader.h"
#include "tests/fuzz/StageChecks.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const StageRequest request{data[0] % 100, false, data[0] >= 200};
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const StageResult r = ReadStage(text, request);
  if (const auto* loaded = std::get_if<LoadedStage>(&r)) {
    fuzz::CheckCounts(loaded->board);
    FUZZ_CHECK(loaded->openerLine >= 1);
  } else {
    FUZZ_CHECK(!StageErrorMessage(std::get<StageError>(r), "mapdata.dat").empty());
  }
  return 0;
}
