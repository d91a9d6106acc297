#include "platform/WavStream.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/WavReader.h"

namespace morvik {

namespace {

struct Source {
  int fd = -1;
  QByteArray header;
  qint64 dataOffset = 0;
  qint64 dataBytes = 0;
  qint64 pos = 0;  // in the header-then-samples view

  qint64 Size() const { return header.size() + dataBytes; }
};

Source& Of(SDL_RWops* rw) { return *static_cast<Source*>(rw->hidden.unknown.data1); }

Sint64 Size(SDL_RWops* rw) { return Of(rw).Size(); }

Sint64 Seek(SDL_RWops* rw, Sint64 offset, int whence) {
  Source& s = Of(rw);
  const qint64 base = whence == RW_SEEK_SET ? 0 : whence == RW_SEEK_CUR ? s.pos : s.Size();
  if (base + offset < 0) return SDL_SetError("seek before the start of a sound");
  s.pos = base + offset;
  return s.pos;
}

size_t Read(SDL_RWops* rw, void* out, size_t size, size_t count) {
  Source& s = Of(rw);
  if (size == 0) return 0;
  const qint64 wanted = static_cast<qint64>(size * count);
  char* to = static_cast<char*>(out);
  qint64 done = 0;
  while (done < wanted && s.pos < s.Size()) {
    const qint64 room = std::min(wanted - done, s.Size() - s.pos);
    qint64 got = 0;
    if (s.pos < s.header.size()) {
      got = std::min(room, s.header.size() - s.pos);
      std::memcpy(to + done, s.header.constData() + s.pos, static_cast<size_t>(got));
    } else {
      const ssize_t n = ::pread(s.fd, to + done, static_cast<size_t>(room),
                                static_cast<off_t>(s.dataOffset + s.pos - s.header.size()));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;  // the file shrank since it was checked: the sound ends there
      got = n;
    }
    s.pos += got;
    done += got;
  }
  return static_cast<size_t>(done) / size;
}

size_t Write(SDL_RWops*, const void*, size_t, size_t) {
  SDL_SetError("a sound file is read only");
  return 0;
}

int Close(SDL_RWops* rw) {
  Source* s = &Of(rw);
  ::close(s->fd);
  delete s;
  SDL_FreeRW(rw);
  return 0;
}

}  // namespace

SDL_RWops* OpenWavStream(const WavSound& sound) {
  QString why;
  const int fd = OpenRegularSoundFile(sound.path, why);
  if (fd < 0) {
    SDL_SetError("%s: %s", qPrintable(sound.path), qPrintable(why));
    return nullptr;
  }
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) {
    ::close(fd);
    return nullptr;
  }
  rw->type = SDL_RWOPS_UNKNOWN;
  rw->size = Size;
  rw->seek = Seek;
  rw->read = Read;
  rw->write = Write;
  rw->close = Close;
  rw->hidden.unknown.data1 = new Source{fd, sound.CanonicalHeader(), sound.dataOffset, sound.dataBytes, 0};
  return rw;
}

}  // namespace morvik
