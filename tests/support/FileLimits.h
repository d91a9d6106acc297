#pragma once
// Conditions of the file system for tests of saving: a size limit that makes writes fail,
// and a folder the test may not write while a file in it stays writable.
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <csignal>

namespace morvik::test {

// While it lives, no file this process writes may grow past the given size: writes beyond it
// fail as on a full disk (for any user, root included).
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit small = old_;
    small.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  bool Ok() const { return ok_; }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
  bool ok_ = false;
};

// While it lives, the folder takes no new file while the files in it stay writable. A user's
// own folder is made read-only; root writes anywhere, so for root the file system's checks
// are made as the unprivileged user "nobody" (65534) instead, for this thread only.
class ScopedReadOnlyFolder {
 public:
  explicit ScopedReadOnlyFolder(const QString& folder) : folder_(QFile::encodeName(folder)) {
    if (geteuid() == 0) {
      chmod(folder_.constData(), 0755);  // nobody may enter, not write
      setfsgid(kNobody);
      setfsuid(kNobody);
      asNobody_ = static_cast<uid_t>(setfsuid(kNobody)) == kNobody;
    } else {
      chmod(folder_.constData(), 0555);
    }
  }
  ~ScopedReadOnlyFolder() {
    if (geteuid() == 0) {
      setfsuid(0);
      setfsgid(0);
    }
    chmod(folder_.constData(), 0700);
  }
  // A file the folder holds must be writable by whoever the checks are made as.
  static void MakeWritable(const QString& file) { chmod(QFile::encodeName(file).constData(), 0666); }
  // False when the condition could not be set up.
  bool Ok() const { return geteuid() != 0 || asNobody_; }
  ScopedReadOnlyFolder(const ScopedReadOnlyFolder&) = delete;
  ScopedReadOnlyFolder& operator=(const ScopedReadOnlyFolder&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
  QByteArray folder_;
  bool asNobody_ = false;
};

}  // namespace morvik::test
