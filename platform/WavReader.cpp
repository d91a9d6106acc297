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

// Up to n bytes at offset; fewer only at the end of the file.
qint64 ReadAt(int fd, char* out, qint64 n, qint64 offset) {
  qint64 got = 0;
  while (got < n) {
    const ssize_t r = ::pread(fd, out + got, static_cast<size_t>(n - got), static_cast<off_t>(offset + got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += r;
  }
  return got;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Walks the chunks of the file by their headers, so that checking a piece of music costs a
// few small reads; the samples are read only when asked for.
std::optional<WavSound> ReadChunks(const QString& path, bool readSamples, QString* whyOut) {
  auto refuse = [&](const QString& reason) -> std::optional<WavSound> {
    if (whyOut) *whyOut = QStringLiteral("%1: %2").arg(path, reason);
    return std::nullopt;
  };
  QString why;
  const Descriptor file(OpenRegularSoundFile(path, why));
  if (file.fd() < 0) return refuse(why);
  struct stat st {};
  if (::fstat(file.fd(), &st) != 0) return refuse(QString::fromLocal8Bit(std::strerror(errno)));
  if (st.st_size > kMaxWavBytes) return refuse(QStringLiteral("larger than %1 MB").arg(kMaxWavBytes / (1024 * 1024)));
  const qint64 fileSize = st.st_size;
  char head[16];
  if (fileSize < 12 || ReadAt(file.fd(), head, 12, 0) < 12 || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0)
    return refuse(QStringLiteral("not a WAV file"));
  if (static_cast<qint64>(U32(head + 4)) + 8 > fileSize + 1)  // a missing pad byte is forgiven
    return refuse(QStringLiteral("cut short (the header counts %1 bytes, the file has %2)").arg(U32(head + 4) + 8ull).arg(fileSize));
  WavSound s;
  s.path = path;
  bool haveFormat = false;
  qint64 pos = 12;
  while (pos + 8 <= fileSize) {
    if (ReadAt(file.fd(), head, 8, pos) < 8) break;  // the file shrank while read
    const QByteArray id(head, 4);
    const qint64 size = U32(head + 4);
    const qint64 body = pos + 8;
    if (size > fileSize - body)
      return refuse(QStringLiteral("chunk \"%1\" at byte %2 runs past the end of the file").arg(QString::fromLatin1(id)).arg(pos));
    if (id == "fmt ") {
      if (size < 16) return refuse(QStringLiteral("format chunk too short"));
      if (ReadAt(file.fd(), head, 16, body) < 16) break;
      const int tag = U16(head), channels = U16(head + 2), bits = U16(head + 14), align = U16(head + 12);
      const quint32 rate = U32(head + 4);
      if (tag != 1) return refuse(QStringLiteral("not plain PCM (format %1)").arg(tag));
      if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 4000 || rate > 192000 || align != channels * bits / 8)
        return refuse(QStringLiteral("unsupported format (%1 channels, %2 bits, %3 Hz)").arg(channels).arg(bits).arg(rate));
      s.rate = static_cast<int>(rate);
      s.channels = channels;
      s.bits = bits;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) return refuse(QStringLiteral("sound data before the format"));
      s.dataOffset = body;
      s.dataBytes = size / s.FrameBytes() * s.FrameBytes();
      if (readSamples) {
        s.samples = QByteArray(static_cast<qsizetype>(s.dataBytes), Qt::Uninitialized);
        const qint64 got = ReadAt(file.fd(), s.samples.data(), s.dataBytes, body);
        s.dataBytes = got / s.FrameBytes() * s.FrameBytes();  // a file that shrank is judged on what was there
        s.samples.truncate(static_cast<qsizetype>(s.dataBytes));
      }
      if (s.dataBytes == 0) return refuse(QStringLiteral("no sound data"));
      return s;
    }
    pos = body + size + (size & 1);
  }
  return refuse(haveFormat ? QStringLiteral("no sound data") : QStringLiteral("no format chunk"));
}

}  // namespace

// O_NONBLOCK keeps a FIFO that slipped in between a check and the open from blocking; fstat on
// the open file closes that race for every other kind.
int OpenRegularSoundFile(const QString& path, QString& why) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = QString::fromLocal8Bit(std::strerror(errno));
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    why = QStringLiteral("not a regular file");
    ::close(fd);
    return -1;
  }
  return fd;
}

int WavSound::LengthMs() const {
  const qint64 bytes = samples.isEmpty() ? dataBytes : samples.size();
  const qint64 frames = FrameBytes() > 0 ? bytes / FrameBytes() : 0;
  return rate > 0 ? static_cast<int>(frames * 1000 / rate) : 0;
}

QByteArray WavSound::CanonicalHeader() const {
  QByteArray f;
  auto u32 = [&](quint32 v) { f.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { f.append(reinterpret_cast<const char*>(&v), 2); };
  const quint32 size = static_cast<quint32>(samples.isEmpty() ? dataBytes : samples.size());
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
  return f;
}

QByteArray WavSound::CanonicalFile() const { return CanonicalHeader() + samples; }

std::optional<WavSound> ReadWav(const QString& path, QString* why) { return ReadChunks(path, true, why); }

std::optional<WavSound> CheckWav(const QString& path, QString* why) { return ReadChunks(path, false, why); }

}  // namespace morvik
