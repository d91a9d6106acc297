#include "core/Translate.h"

#include <atomic>
#include <vector>

namespace morvik {

namespace {
// One translator for the whole process, as Qt's are; set once at the start, read from any thread
// (the solver's workers report through the same libraries).
std::atomic<Translator> translator{nullptr};
}  // namespace

void SetTranslator(Translator t) { translator.store(t); }

std::string translate(const char* context, const char* text) {
  const Translator t = translator.load();
  return t ? t(context, text) : std::string(text);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  const std::vector<std::string_view> args(arguments);
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += args[n];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace morvik
