#pragma once
// Reading the files the player may hand the game (stage, answer, advice and play information
// files): only regular files are opened, never a pipe or a device that could block or never
// end, a file larger than its reader's cap is refused before anything is read, and a reader
// takes lines one at a time so that it can stop as soon as it has what it needs.
// POSIX and the standard library only, so that the command-line tools share it.
#include <cstdint>
#include <optional>
#include <string>

namespace morvik {

struct FileOpenError {
  enum class Kind { Missing, Directory, NotRegular, TooLarge, Unreadable } kind = Kind::Unreadable;
  std::uint64_t size = 0;   // TooLarge: the file's size
  std::uint64_t limit = 0;  // TooLarge: the reader's cap
  int error = 0;            // errno of a failed system call, 0 if none
};

class RegularFile {
 public:
  RegularFile() = default;
  ~RegularFile();
  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&& other) noexcept;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // Opens path (links followed) if it names a regular file of at most maxBytes. Opening never
  // waits: a named pipe is refused, not waited on.
  bool Open(const std::string& path, std::uint64_t maxBytes);
  const FileOpenError& Error() const { return error_; }
  bool IsOpen() const { return fd_ >= 0; }

  // The next line without its LF; a CR before the LF is kept (the text readers strip it).
  // False at the end of the file or on a read error (ReadFailed() tells which). A final line
  // without LF is still a line; the file never yields more than maxBytes in all.
  bool ReadLine(std::string& line);
  // Everything not read yet, up to the cap; nothing on a read error.
  std::optional<std::string> ReadRest();
  bool ReadFailed() const { return readFailed_; }

 private:
  bool Fill();  // more bytes into the buffer; false at the end or on an error
  void Close();

  int fd_ = -1;
  std::uint64_t left_ = 0;  // bytes still allowed by the cap
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool readFailed_ = false;
  FileOpenError error_;
};

// The whole of a regular file of at most maxBytes; on failure, why (a failed read counts as
// Unreadable).
std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes, FileOpenError* why = nullptr);

// Why a file could not be read, in Japanese for the player's message boxes and in English for
// the command line.
std::string FileErrorText(const FileOpenError& e);
std::string FileErrorTextEnglish(const FileOpenError& e);

// Caps far above any file the game writes or ships: a stage file holds 21 lines of at most
// 60 characters, the map file some hundred such blocks, the advice file a few pages of text.
inline constexpr std::uint64_t StageFileMaxBytes = 4u << 20;
inline constexpr std::uint64_t AnswerFileMaxBytes = 4u << 20;
inline constexpr std::uint64_t AdviceFileMaxBytes = 4u << 20;

}  // namespace morvik
