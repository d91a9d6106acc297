#include "solver/BigBuffer.h"

#include <sys/mman.h>

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace morvik {

namespace {

struct Kept {
  std::mutex lock;
  std::vector<std::pair<void*, std::size_t>> buffers;
  std::size_t bytes = 0;
};

Kept& KeptBuffers() {
  static Kept* k = new Kept;  // never destroyed: buffers may be freed during exit
  return *k;
}

void* TakeKept(std::size_t bytes) {
  Kept& k = KeptBuffers();
  std::lock_guard<std::mutex> g(k.lock);
  for (auto it = k.buffers.begin(); it != k.buffers.end(); ++it)
    if (it->second == bytes) {
      void* p = it->first;
      k.buffers.erase(it);
      k.bytes -= bytes;
      return p;
    }
  return nullptr;
}

bool Keep(void* p, std::size_t bytes) {
  Kept& k = KeptBuffers();
  std::lock_guard<std::mutex> g(k.lock);
  if (k.bytes + bytes > BigBuffer::KeptLimit) return false;
  k.buffers.emplace_back(p, bytes);
  k.bytes += bytes;
  return true;
}

}  // namespace

BigBuffer::BigBuffer(std::size_t bytes, bool zeroed) : bytes_(bytes) {
  if (bytes == 0) return;
  if (void* kept = TakeKept(bytes)) {
    if (zeroed) std::memset(kept, 0, bytes);
    data_ = kept;
    return;
  }
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (bytes >= (std::size_t{2} << 20)) madvise(p, bytes, MADV_HUGEPAGE);
#endif
  data_ = p;
}

BigBuffer::~BigBuffer() {
  if (data_ && !Keep(data_, bytes_)) munmap(data_, bytes_);
}

void BigBuffer::Release() {
  if (data_) munmap(data_, bytes_);
  data_ = nullptr;
  bytes_ = 0;
}

void BigBuffer::ReleaseKept() {
  Kept& k = KeptBuffers();
  std::lock_guard<std::mutex> g(k.lock);
  for (auto [p, bytes] : k.buffers) munmap(p, bytes);
  k.buffers.clear();
  k.bytes = 0;
}

}  // namespace morvik
