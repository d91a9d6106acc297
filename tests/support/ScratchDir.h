#pragma once
// A folder of the test's own under the temporary folder, with a unique name, removed with
// everything in it when the test ends: no fixed names that another run or another user's
// files could collide with.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace morvik::test {

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::path(::testing::TempDir()) / "morvik-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  bool Ok() const { return !path.empty(); }
  // The path of name inside the folder, written with bytes.
  std::string File(const std::string& name, const std::string& bytes) const {
    const std::string p = (path / name).string();
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  std::string Path(const std::string& name) const { return (path / name).string(); }

  std::filesystem::path path;
};

}  // namespace morvik::test
