#pragma once
// Reads a sound file of the sound folder, trusting nothing in it: only a regular file is
// opened (never a FIFO or a device, so reading cannot block), every chunk must lie inside the
// file, and only plain 8- or 16-bit PCM with sane rates is taken. A file that fails any check
// counts as missing; the reason names the file. Music is only checked, not read: the mixer
// streams its samples from the file as it plays.
#include <QByteArray>
#include <QString>
#include <optional>

namespace morvik {

struct WavSound {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  QByteArray samples;  // whole frames only; empty for a sound only checked
  // Where the samples lie in the file (whole frames only), for a sound streamed from it.
  QString path;
  qint64 dataOffset = 0;
  qint64 dataBytes = 0;

  bool Streamed() const { return samples.isEmpty(); }
  int FrameBytes() const { return channels * bits / 8; }
  // The plain header that CanonicalFile begins with, for the samples at dataOffset.
  QByteArray CanonicalHeader() const;
  int LengthMs() const;
  // The samples behind a plain, self-consistent header, for decoders that want a whole file.
  QByteArray CanonicalFile() const;
};

// The largest sound file read: far above any piece of music the game ships.
constexpr qint64 kMaxWavBytes = 64 * 1024 * 1024;

std::optional<WavSound> ReadWav(const QString& path, QString* why = nullptr);
// The same checks, reading only the chunk headers: the samples stay in the file.
std::optional<WavSound> CheckWav(const QString& path, QString* why = nullptr);

// Opens a sound file for reading if it is a regular file: a descriptor, or -1 with the reason.
int OpenRegularSoundFile(const QString& path, QString& why);

}  // namespace morvik
