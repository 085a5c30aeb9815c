#include "model/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace kivo {
namespace {

thread_local ScopedWriteFault* activeFault = nullptr;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0)
      close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string Folder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

// The file the write must replace: a symbolic link is followed so that the
// link itself survives.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
    return path;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr)
    return path;
  return resolved;
}

std::string Reason(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// The rename of a safe write replaces a file whatever its permissions, so a
// target that may not be written is refused first. A file with no write bit
// is refused even for the superuser, whom access() lets write anything.
std::string RefuseReadOnly(const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) != 0)
    return {};  // a new file: the folder decides
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return Reason("cannot write");
  }
  if (access(target.c_str(), W_OK) != 0)
    return Reason("cannot write");
  if ((st.st_mode & 0222) == 0) {
    errno = EACCES;
    return Reason("the file is read-only");
  }
  return {};
}

// Reads up to `limit` bytes of a regular file. O_NONBLOCK makes opening a
// FIFO return at once instead of waiting for a writer; it has no effect on a
// regular file, the only kind read further.
FileBytes ReadRegularFile(const std::string& path, std::size_t limit) {
  FileBytes result;
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (file.get() < 0 || fstat(file.get(), &st) != 0) {
    result.error = ReadError::CannotOpen;
    result.reason = std::strerror(errno);
    return result;
  }
  if (!S_ISREG(st.st_mode) || st.st_size < 0) {
    result.error = ReadError::CannotOpen;
    result.reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    return result;
  }
  const auto length = static_cast<std::size_t>(st.st_size);
  try {
    result.bytes.resize(std::min(length, limit));
  } catch (const std::bad_alloc&) {
    result.error = ReadError::TooLarge;
    result.reason = std::strerror(ENOMEM);
    return result;
  } catch (const std::length_error&) {
    result.error = ReadError::TooLarge;
    result.reason = std::strerror(ENOMEM);
    return result;
  }
  std::size_t done = 0;
  std::string failure = "the file became shorter while it was read";
  while (done < result.bytes.size()) {
    const ssize_t n = read(file.get(), result.bytes.data() + done, result.bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      failure = std::strerror(errno);
    if (n <= 0)
      break;
    done += static_cast<std::size_t>(n);
  }
  // A file that shrank while being read, or a read error, gives no bytes
  // rather than a part that would pass for the whole.
  if (done != result.bytes.size()) {
    result.bytes.clear();
    result.error = ReadError::CannotOpen;
    result.reason = failure;
  }
  return result;
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
  return ReadRegularFile(path, static_cast<std::size_t>(-1));
}

FileBytes ReadFileStart(const std::string& path, std::size_t maxBytes) {
  return ReadRegularFile(path, maxBytes);
}

std::string_view WriteStepName(WriteStep step) {
  switch (step) {
    case WriteStep::CreateTemporary:
      return "create the temporary file";
    case WriteStep::Write:
      return "write";
    case WriteStep::Flush:
      return "flush";
    case WriteStep::Rename:
      return "rename";
  }
  return "write";
}

ScopedWriteFault::ScopedWriteFault(WriteStep step, int error)
    : step_(step), error_(error), previous_(activeFault) {
  activeFault = this;
}

ScopedWriteFault::~ScopedWriteFault() {
  activeFault = previous_;
}

std::optional<int> ScopedWriteFault::ErrorAt(WriteStep step) {
  if (activeFault == nullptr || activeFault->step_ != step)
    return std::nullopt;
  ++activeFault->failures_;
  return activeFault->error_;
}

std::string CheckWritable(const std::string& path) {
  return RefuseReadOnly(ResolveTarget(path));
}

std::string FileProblem(const std::string& path, const std::string& reason) {
  return path + ": " + reason;
}

std::string SafeWriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  if (path.empty())
    return "no file name";
  const std::string target = ResolveTarget(path);
  if (std::string refused = RefuseReadOnly(target); !refused.empty())
    return refused;
  std::string temp = Folder(target) + "/.kivo-XXXXXX";
  int fd = -1;
  if (const auto error = ScopedWriteFault::ErrorAt(WriteStep::CreateTemporary))
    errno = *error;
  else
    fd = mkstemp(temp.data());
  if (fd < 0)
    return Reason("cannot create a temporary file");

  auto fail = [&](const char* what) {
    std::string reason = Reason(what);
    close(fd);
    unlink(temp.c_str());
    return reason;
  };

  struct stat st {};
  mode_t mode = 0;
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd, mode) != 0)
    return fail("cannot set permissions");

  const std::optional<int> writeError = ScopedWriteFault::ErrorAt(WriteStep::Write);
  const std::size_t stopAt = writeError ? bytes.size() / 2 : bytes.size();
  std::size_t written = 0;
  while (written < stopAt) {
    const ssize_t n = write(fd, bytes.data() + written, stopAt - written);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return fail("cannot write");
    }
    written += static_cast<std::size_t>(n);
  }
  if (writeError) {
    errno = *writeError;
    return fail("cannot write");
  }

  if (const auto error = ScopedWriteFault::ErrorAt(WriteStep::Flush)) {
    errno = *error;
    return fail("cannot flush to disk");
  }
  if (fsync(fd) != 0)
    return fail("cannot flush to disk");
  if (close(fd) != 0) {
    std::string reason = Reason("cannot close");
    unlink(temp.c_str());
    return reason;
  }
  const std::optional<int> renameError = ScopedWriteFault::ErrorAt(WriteStep::Rename);
  if (renameError || rename(temp.c_str(), target.c_str()) != 0) {
    if (renameError)
      errno = *renameError;
    std::string reason = Reason("cannot replace the file");
    unlink(temp.c_str());
    return reason;
  }
  // Make the rename itself durable.
  const int dir = open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return {};
}

}  // namespace kivo
