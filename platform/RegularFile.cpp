#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/Translate.h"

namespace morvik {

namespace {
constexpr std::size_t ChunkBytes = 64 * 1024;
}

RegularFile::~RegularFile() { Close(); }

RegularFile::RegularFile(RegularFile&& other) noexcept { *this = std::move(other); }

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    left_ = other.left_;
    buffer_ = std::move(other.buffer_);
    pos_ = other.pos_;
    eof_ = other.eof_;
    readFailed_ = other.readFailed_;
    error_ = other.error_;
  }
  return *this;
}

void RegularFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool RegularFile::Open(const std::string& path, std::uint64_t maxBytes) {
  Close();
  buffer_.clear();
  pos_ = 0;
  eof_ = readFailed_ = false;
  error_ = {};
  // O_NONBLOCK: opening a named pipe with no writer would otherwise wait for one for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    error_.kind = err == ENOENT || err == ENOTDIR ? FileOpenError::Kind::Missing : FileOpenError::Kind::Unreadable;
    error_.error = err;
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error_ = {FileOpenError::Kind::Unreadable, 0, 0, errno};
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error_.kind = S_ISDIR(st.st_mode) ? FileOpenError::Kind::Directory : FileOpenError::Kind::NotRegular;
    ::close(fd);
    return false;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > maxBytes) {
    error_ = {FileOpenError::Kind::TooLarge, size, maxBytes, 0};
    ::close(fd);
    return false;
  }
  fd_ = fd;
  // A file that grows while it is read still yields no more than the cap (and one byte to tell).
  left_ = maxBytes;
  return true;
}

bool RegularFile::Fill() {
  if (fd_ < 0 || eof_ || readFailed_) return false;
  if (left_ == 0) {
    eof_ = true;
    return false;
  }
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  const std::size_t want = left_ < ChunkBytes ? static_cast<std::size_t>(left_) : ChunkBytes;
  const std::size_t old = buffer_.size();
  buffer_.resize(old + want);
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data() + old, want);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    error_ = {FileOpenError::Kind::Unreadable, 0, 0, errno};
    readFailed_ = true;
    buffer_.resize(old);
    return false;
  }
  buffer_.resize(old + static_cast<std::size_t>(got));
  left_ -= static_cast<std::uint64_t>(got);
  if (got == 0) eof_ = true;
  return got > 0;
}

bool RegularFile::ReadLine(std::string& line) {
  std::size_t searched = pos_;
  for (;;) {
    const std::size_t lf = buffer_.find('\n', searched);
    if (lf != std::string::npos) {
      line.assign(buffer_, pos_, lf - pos_);
      pos_ = lf + 1;
      return true;
    }
    searched = buffer_.size() - pos_;  // Fill moves the unread bytes to the front
    if (!Fill()) break;
  }
  if (readFailed_ || pos_ >= buffer_.size()) return false;
  line.assign(buffer_, pos_, std::string::npos);
  pos_ = buffer_.size();
  return true;
}

std::optional<std::string> RegularFile::ReadRest() {
  while (Fill()) {
  }
  if (readFailed_) return std::nullopt;
  std::string rest = buffer_.substr(pos_);
  pos_ = buffer_.size();
  return rest;
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes, FileOpenError* why) {
  RegularFile file;
  std::optional<std::string> bytes;
  if (file.Open(path, maxBytes)) bytes = file.ReadRest();
  if (!bytes && why) *why = file.Error();
  return bytes;
}

std::string FileErrorText(const FileOpenError& e) {
  switch (e.kind) {
    case FileOpenError::Kind::Missing: return translate("RegularFile", "ファイルが見つかりません。");
    case FileOpenError::Kind::Directory: return translate("RegularFile", "フォルダです。ファイルを選んでください。");
    case FileOpenError::Kind::NotRegular:
      return translate("RegularFile", "ふつうのファイルではありません（名前付きパイプや装置のファイルなど）。");
    case FileOpenError::Kind::TooLarge:
      return Format(translate("RegularFile", "ファイルが大きすぎます（%1バイト。%2バイトまでです）。"),
                    {std::to_string(e.size), std::to_string(e.limit)});
    case FileOpenError::Kind::Unreadable: break;
  }
  return Format(translate("RegularFile", "ファイルを読めません（%1）。"),
                {e.error ? std::string(std::strerror(e.error)) : translate("RegularFile", "読み込みエラー")});
}

std::string FileErrorTextEnglish(const FileOpenError& e) {
  switch (e.kind) {
    case FileOpenError::Kind::Missing: return "not found";
    case FileOpenError::Kind::Directory: return "is a directory, not a file";
    case FileOpenError::Kind::NotRegular: return "is not a regular file (a pipe or a device)";
    case FileOpenError::Kind::TooLarge:
      return "is too large (" + std::to_string(e.size) + " bytes; at most " + std::to_string(e.limit) + ")";
    case FileOpenError::Kind::Unreadable: break;
  }
  return std::string("cannot be read (") + (e.error ? std::strerror(e.error) : "read error") + ")";
}

}  // namespace morvik
