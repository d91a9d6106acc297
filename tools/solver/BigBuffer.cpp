#include "tools/solver/BigBuffer.h"

#include <sys/mman.h>

#include <new>

namespace morvik {

BigBuffer::BigBuffer(std::size_t bytes) : bytes_(bytes) {
  if (bytes == 0) return;
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (bytes >= (std::size_t{2} << 20)) madvise(p, bytes, MADV_HUGEPAGE);
#endif
  data_ = p;
}

BigBuffer::~BigBuffer() {
  if (data_) munmap(data_, bytes_);
}

}  // namespace morvik
