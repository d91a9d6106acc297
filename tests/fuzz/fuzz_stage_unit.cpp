// A stage-unit file through both its readers: play (the first line opens the block) and the
// editor. A stage the editor took is written back and must read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/EditStageReader.h"
#include "stagedata/StageReader.h"
#include "tests/fuzz/StageChecks.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const StageResult played = ReadStage(text, {0, true, false});
  if (const auto* loaded = std::get_if<LoadedStage>(&played)) fuzz::CheckCounts(loaded->board);

  const EditLoadResult edited = ReadEditStage(text, 0);
  if (const auto* sheet = std::get_if<StageSheet>(&edited)) {
    const std::string written = WriteStageBlock(*sheet, 0);
    const EditLoadResult again = ReadEditStage(written, 0);
    FUZZ_CHECK(std::holds_alternative<StageSheet>(again));
    FUZZ_CHECK(std::get<StageSheet>(again) == *sheet);
  } else {
    const auto& e = std::get<EditLoadError>(edited);
    FUZZ_CHECK(!LoadFailureMessage(e, "stage.mvk").text.empty());
  }
  return 0;
}
