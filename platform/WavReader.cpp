#include "platform/WavReader.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvik {

namespace {

quint32 U32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 U16(const char* p) { return qFromLittleEndian<quint16>(p); }

// The whole file, if it is a regular file of a sane size. O_NONBLOCK keeps a FIFO that
// slipped in between the check and the open from blocking; fstat on the open file closes
// that race for every other kind.
std::optional<QByteArray> ReadRegularFile(const QString& path, QString& why) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = QString::fromLocal8Bit(std::strerror(errno));
    return std::nullopt;
  }
  struct stat st {};
  std::optional<QByteArray> out;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    why = QStringLiteral("not a regular file");
  } else if (st.st_size > kMaxWavBytes) {
    why = QStringLiteral("larger than %1 MB").arg(kMaxWavBytes / (1024 * 1024));
  } else {
    QByteArray data(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < data.size()) {
      const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += n;
    }
    data.truncate(got);  // a file that shrank while read is judged on what was there
    out = std::move(data);
  }
  ::close(fd);
  return out;
}

}  // namespace

int WavSound::LengthMs() const {
  const qint64 frames = FrameBytes() > 0 ? samples.size() / FrameBytes() : 0;
  return rate > 0 ? static_cast<int>(frames * 1000 / rate) : 0;
}

QByteArray WavSound::CanonicalFile() const {
  QByteArray f;
  auto u32 = [&](quint32 v) { f.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { f.append(reinterpret_cast<const char*>(&v), 2); };
  const quint32 size = static_cast<quint32>(samples.size());
  f.append("RIFF");
  u32(36 + size);
  f.append("WAVEfmt ");
  u32(16);
  u16(1);
  u16(static_cast<quint16>(channels));
  u32(static_cast<quint32>(rate));
  u32(static_cast<quint32>(rate * FrameBytes()));
  u16(static_cast<quint16>(FrameBytes()));
  u16(static_cast<quint16>(bits));
  f.append("data");
  u32(size);
  f.append(samples);
  return f;
}

std::optional<WavSound> ReadWav(const QString& path, QString* whyOut) {
  QString why;
  auto refuse = [&](const QString& reason) -> std::optional<WavSound> {
    if (whyOut) *whyOut = QStringLiteral("%1: %2").arg(path, reason);
    return std::nullopt;
  };
  const std::optional<QByteArray> file = ReadRegularFile(path, why);
  if (!file) return refuse(why);
  const QByteArray& d = *file;
  if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "WAVE") return refuse(QStringLiteral("not a WAV file"));
  if (static_cast<qint64>(U32(d.constData() + 4)) + 8 > d.size() + 1)  // a missing pad byte is forgiven
    return refuse(QStringLiteral("cut short (the header counts %1 bytes, the file has %2)").arg(U32(d.constData() + 4) + 8ull).arg(d.size()));
  WavSound s;
  bool haveFormat = false;
  qsizetype pos = 12;
  while (pos + 8 <= d.size()) {
    const QByteArray id = d.mid(pos, 4);
    const qint64 size = U32(d.constData() + pos + 4);
    const qsizetype body = pos + 8;
    if (size > d.size() - body)
      return refuse(QStringLiteral("chunk \"%1\" at byte %2 runs past the end of the file").arg(QString::fromLatin1(id)).arg(pos));
    if (id == "fmt ") {
      if (size < 16) return refuse(QStringLiteral("format chunk too short"));
      const char* f = d.constData() + body;
      const int tag = U16(f), channels = U16(f + 2), bits = U16(f + 14), align = U16(f + 12);
      const quint32 rate = U32(f + 4);
      if (tag != 1) return refuse(QStringLiteral("not plain PCM (format %1)").arg(tag));
      if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 4000 || rate > 192000 || align != channels * bits / 8)
        return refuse(QStringLiteral("unsupported format (%1 channels, %2 bits, %3 Hz)").arg(channels).arg(bits).arg(rate));
      s.rate = static_cast<int>(rate);
      s.channels = channels;
      s.bits = bits;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return refuse(QStringLiteral("sound data before the format"));
      const qint64 frames = size / s.FrameBytes();
      if (frames == 0) return refuse(QStringLiteral("no sound data"));
      s.samples = d.mid(body, static_cast<qsizetype>(frames * s.FrameBytes()));
      return s;
    }
    pos = body + static_cast<qsizetype>(size + (size & 1));
  }
  return refuse(haveFormat ? QStringLiteral("no sound data") : QStringLiteral("no format chunk"));
}

}  // namespace morvik
