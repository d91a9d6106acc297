// What the game reads from inside the help file: the system records, the topic map, the
// contents and index site maps, and the references of a page. Input: four parts split at
// the first three NUL bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/HelpProject.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::string_view parts[4];
  for (int i = 0; i < 3; ++i) {
    const std::size_t cut = rest.find('\0');
    parts[i] = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  parts[3] = rest;
  const HelpSystem system = ParseSystem(parts[0]);
  FUZZ_CHECK(system.title.size() <= parts[0].size());
  for (const auto& [topic, page] : ParseTopicMap(parts[1])) FUZZ_CHECK(!page.empty() && page[0] == '/');
  for (const SitemapItem& item : ParseSitemap(parts[2])) FUZZ_CHECK(item.depth >= 0);
  const std::string entry = ResolveEntry(parts[2].substr(0, 64), parts[3]);
  FUZZ_CHECK(entry.empty() || entry[0] == '/');
  return 0;
}
