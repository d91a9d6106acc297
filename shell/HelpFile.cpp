#include "shell/HelpFile.h"

#include <chm_lib.h>

namespace morvik {

namespace {

constexpr LONGUINT64 MaxEntryBytes = 16u << 20;

std::string Absolute(std::string_view entry) {
  std::string path(entry);
  if (path.empty() || path.front() != '/') path.insert(path.begin(), '/');
  return path;
}

}  // namespace

HelpFile::~HelpFile() { Close(); }

bool HelpFile::Open(const std::string& path) {
  Close();
  file_ = chm_open(path.c_str());
  return file_ != nullptr;
}

void HelpFile::Close() {
  if (file_) chm_close(file_);
  file_ = nullptr;
}

std::optional<std::string> HelpFile::Read(std::string_view entry) const {
  if (!file_) return std::nullopt;
  const std::string path = Absolute(entry);
  if (path.size() > CHM_MAX_PATHLEN) return std::nullopt;
  chmUnitInfo unit{};
  if (chm_resolve_object(file_, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (!unit.path[0] || unit.path[std::char_traits<char>::length(unit.path) - 1] == '/') return std::nullopt;
  // The length comes from the file: a damaged one must not make us allocate without bound.
  // Entries are compressed, so a page may be longer than the file, but never near this.
  if (unit.length > MaxEntryBytes) return std::nullopt;
  std::string bytes(static_cast<size_t>(unit.length), '\0');
  if (unit.length == 0) return bytes;
  const LONGINT64 got = chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                            static_cast<LONGINT64>(unit.length));
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return bytes;
}

bool HelpFile::Has(std::string_view entry) const {
  if (!file_) return false;
  const std::string path = Absolute(entry);
  if (path.size() > CHM_MAX_PATHLEN) return false;
  chmUnitInfo unit{};
  return chm_resolve_object(file_, path.c_str(), &unit) == CHM_RESOLVE_SUCCESS && path.back() != '/';
}

std::vector<std::string> HelpFile::Entries() const {
  std::vector<std::string> entries;
  if (!file_) return entries;
  chm_enumerate(
      file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* unit, void* context) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
        return CHM_ENUMERATOR_CONTINUE;
      },
      &entries);
  return entries;
}

}  // namespace morvik
