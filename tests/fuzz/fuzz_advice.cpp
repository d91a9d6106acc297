// The advice file: the block of a stage (picked by the first byte) found in the Shift JIS
// bytes, and only that block converted.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "play/AdviceText.h"
#include "platform/TextCodec.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const Advice advice = FindAdvice(bytes, data[0] % 100);
  FUZZ_CHECK(!(advice.found && advice.unterminated));
  FUZZ_CHECK(advice.text.size() <= 2 * bytes.size());
  if (advice.found) (void)ShiftJisToUtf8(advice.text);
  return 0;
}
