#pragma once
// Reads a sound file of the sound folder once, trusting nothing in it: only a regular file
// is opened (never a FIFO or a device, so reading cannot block), every chunk must lie inside
// the file, and only plain 8- or 16-bit PCM with sane rates is taken. A file that fails any
// check counts as missing; the reason names the file.
#include <QByteArray>
#include <QString>
#include <optional>

namespace morvik {

struct WavSound {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  QByteArray samples;  // whole frames only

  int FrameBytes() const { return channels * bits / 8; }
  int LengthMs() const;
  // The samples behind a plain, self-consistent header, for decoders that want a whole file.
  QByteArray CanonicalFile() const;
};

// The largest sound file read: far above any piece of music the game ships.
constexpr qint64 kMaxWavBytes = 64 * 1024 * 1024;

std::optional<WavSound> ReadWav(const QString& path, QString* why = nullptr);

}  // namespace morvik
