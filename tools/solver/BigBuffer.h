#pragma once
// A large zero-filled buffer straight from the system, on huge pages where the system
// offers them: the solver's tables are read at random, and with 4 KiB pages nearly every
// read would also miss the address translation cache.
#include <cstddef>
#include <utility>

namespace morvik {

class BigBuffer {
 public:
  BigBuffer() = default;
  explicit BigBuffer(std::size_t bytes);
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

 private:
  void* data_ = nullptr;
  std::size_t bytes_ = 0;
};

}  // namespace morvik
