// 16-bit PCM WAV files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvik::sound {

// The bytes of a canonical 44-byte-header PCM WAV file holding `samples`
// (interleaved when there is more than one channel).
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate, int channels = 1);

// Writes the file whole or not at all; false if it cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate, int channels = 1);

} // namespace morvik::sound
