#pragma once
// Small WAV files for the sound tests, written byte by byte so that headers can lie.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace morvik::testing {

// A PCM WAV: 8 kHz mono 8-bit, `ms` long; dataSize overrides the data chunk's size field.
inline QByteArray WavBytes(int ms, qint64 dataSize = -1) {
  const quint32 n = static_cast<quint32>(8 * ms);
  QByteArray f;
  auto u32 = [&](quint32 v) { f.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { f.append(reinterpret_cast<const char*>(&v), 2); };
  f.append("RIFF");
  u32(36 + n);
  f.append("WAVEfmt ");
  u32(16); u16(1); u16(1); u32(8000); u32(8000); u16(1); u16(8);
  f.append("data");
  u32(dataSize < 0 ? n : static_cast<quint32>(dataSize));
  f.append(QByteArray(static_cast<qsizetype>(n), char(128)));
  return f;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace morvik::testing
