// The help library on a whole (damaged) help file, through the game's help file reader.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/HelpFile.h"
#include "shell/HelpProject.h"

using namespace morvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = memfd_create("help", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    HelpFile file;
    if (file.Open("/proc/self/fd/" + std::to_string(fd))) {
      const HelpSystem system = ParseSystem(file.Read("/#SYSTEM").value_or(""));
      for (const std::string& entry : file.Entries()) (void)file.Read(entry);
      (void)ParseSitemap(file.Read(system.contentsFile).value_or(""));
    }
  }
  close(fd);
  return 0;
}
