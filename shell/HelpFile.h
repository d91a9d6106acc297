#pragma once
// The compiled help file, read entry by entry. Entry names are paths inside the file
// ("/howtoplay.html", "/pictures/elm_10.png"); the file matches them without regard to case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace morvik {

class HelpFile {
 public:
  HelpFile() = default;
  ~HelpFile();
  HelpFile(const HelpFile&) = delete;
  HelpFile& operator=(const HelpFile&) = delete;

  // Opens the file at path (closing any file open before); false when it is missing or is
  // not a compiled help file.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // The bytes of an entry; nothing when the file has no such entry or it cannot be read.
  std::optional<std::string> Read(std::string_view entry) const;
  bool Has(std::string_view entry) const;
  // The entries that hold data (no folders, no internal entries such as "/#SYSTEM").
  std::vector<std::string> Entries() const;

 private:
  chmFile* file_ = nullptr;
};

}  // namespace morvik
