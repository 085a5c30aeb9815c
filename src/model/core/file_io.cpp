#include "model/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

namespace kivo {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f)
      std::fclose(f);
  }
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

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
  FileBytes result;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  struct stat st {};
  if (!file || fstat(fileno(file.get()), &st) != 0 || S_ISDIR(st.st_mode)) {
    result.error = ReadError::CannotOpen;
    return result;
  }
  if (std::fseek(file.get(), 0, SEEK_END) != 0) {
    result.error = ReadError::CannotOpen;
    return result;
  }
  const long length = std::ftell(file.get());
  if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    result.error = ReadError::CannotOpen;
    return result;
  }
  try {
    result.bytes.resize(static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {
    result.error = ReadError::TooLarge;
    return result;
  } catch (const std::length_error&) {
    result.error = ReadError::TooLarge;
    return result;
  }
  if (std::fread(result.bytes.data(), 1, result.bytes.size(), file.get()) != result.bytes.size()) {
    result.bytes.clear();
    result.error = ReadError::CannotOpen;
  }
  return result;
}

std::string SafeWriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  if (path.empty())
    return "no file name";
  const std::string target = ResolveTarget(path);
  std::string temp = Folder(target) + "/.kivo-XXXXXX";
  const int fd = mkstemp(temp.data());
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

  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return fail("cannot write");
    }
    written += static_cast<std::size_t>(n);
  }
  if (fsync(fd) != 0)
    return fail("cannot flush to disk");
  if (close(fd) != 0) {
    std::string reason = Reason("cannot close");
    unlink(temp.c_str());
    return reason;
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    std::string reason = Reason("cannot replace the file");
    unlink(temp.c_str());
    return reason;
  }
  // Make the rename itself durable.
  const int dir = open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return {};
}

}  // namespace kivo
