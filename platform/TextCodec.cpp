#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace morvik {

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::vector<char> out(in.size() * 2 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  bool ok = true;
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) {
      const std::size_t used = static_cast<std::size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    ok = false;
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return std::string(out.data(), static_cast<std::size_t>(dst - out.data()));
}

}  // namespace

// CP932 is the Shift JIS of Japanese Windows text, with its extra characters (①, ～, …).
std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) { return Convert("UTF-8", "CP932", bytes); }
std::optional<std::string> Utf8ToShiftJis(std::string_view text) { return Convert("CP932", "UTF-8", text); }

}  // namespace morvik
