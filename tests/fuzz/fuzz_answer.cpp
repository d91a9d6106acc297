// The answer file and the guide that walks it: whatever the file, the guide ends after at
// most one marked move per record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "play/AnswerGuide.h"
#include "stagedata/AnswerFormat.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto records = ReadAnswerData(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!records) return 0;
  FUZZ_CHECK(!records->empty() && records->size() % 3 == 0);
  AnswerGuide guide;
  guide.Start(*records);
  std::size_t moves = 0;
  while (guide.Running()) {
    FUZZ_CHECK(guide.X() >= 0 && guide.X() <= 9 && guide.Y() >= 0 && guide.Y() <= 9);
    FUZZ_CHECK(guide.Check(guide.Action(), guide.X(), guide.Y()));
    FUZZ_CHECK(++moves <= records->size() / 3);
  }
  return 0;
}
