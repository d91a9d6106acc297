#pragma once
// A large zero-filled buffer straight from the system, on huge pages where the system
// offers them: the solver's tables are read at random, and with 4 KiB pages nearly every
// read would also miss the address translation cache. Freed buffers are kept for the next
// search (up to a bound): memory fresh from the system costs a page fault on first touch,
// which on some machines takes longer than the search's own work on it.
#include <cstddef>
#include <utility>

namespace morvik {

class BigBuffer {
 public:
  BigBuffer() = default;
  // zeroed: every byte 0 (a kept buffer is cleared); otherwise the contents are unspecified.
  BigBuffer(std::size_t bytes, bool zeroed);
  ~BigBuffer();
  BigBuffer(BigBuffer&& o) noexcept : data_(std::exchange(o.data_, nullptr)), bytes_(std::exchange(o.bytes_, 0)) {}
  BigBuffer& operator=(BigBuffer&& o) noexcept {
    std::swap(data_, o.data_);
    std::swap(bytes_, o.bytes_);
    return *this;
  }
  BigBuffer(const BigBuffer&) = delete;
  BigBuffer& operator=(const BigBuffer&) = delete;

  template <class T>
  T* As() const { return static_cast<T*>(data_); }
  std::size_t Bytes() const { return bytes_; }

  // Gives this buffer back to the system now, not kept: a table that grew out of it.
  void Release();

  // Gives the kept buffers back to the system.
  static void ReleaseKept();
  static constexpr std::size_t KeptLimit = std::size_t{512} << 20;

 private:
  void* data_ = nullptr;
  std::size_t bytes_ = 0;
};

}  // namespace morvik
