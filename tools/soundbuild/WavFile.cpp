#include "tools/soundbuild/WavFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace morvik::sound {

namespace {

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b;
  b.reserve(44 + dataBytes);
  Put(b, "RIFF");
  Put(b, 36 + dataBytes, 4);
  Put(b, "WAVE");
  Put(b, "fmt ");
  Put(b, 16, 4);
  Put(b, 1, 2); // PCM
  Put(b, static_cast<uint32_t>(channels), 2);
  Put(b, static_cast<uint32_t>(sampleRate), 4);
  Put(b, static_cast<uint32_t>(sampleRate * channels * 2), 4); // bytes a second
  Put(b, static_cast<uint32_t>(channels * 2), 2);               // bytes a frame
  Put(b, 16, 2);
  Put(b, "data");
  Put(b, dataBytes, 4);
  for (int16_t s : samples) Put(b, static_cast<uint16_t>(s), 2);
  return b;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate, int channels) {
  const std::vector<uint8_t> bytes = EncodeWav(samples, sampleRate, channels);
  const std::string temp = path + ".part";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) std::filesystem::remove(temp, ec);
  return !ec;
}

} // namespace morvik::sound
