#include "board/board_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "board/board_scan.h"

namespace vantrel {

BoardError::BoardError(const std::string& message) : std::runtime_error(message), where_(ReadingNow()) {}

std::uint64_t LineOfLastByte(const std::string& file, std::uint64_t bytesRead) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  constexpr std::size_t kBlock = std::size_t{64} * 1024;
  const auto block = std::make_unique_for_overwrite<char[]>(kBlock);
  // The line feeds before the last byte read, which ends its line if it is one.
  const std::uint64_t before = bytesRead > 0 ? bytesRead - 1 : 0;
  std::uint64_t line = 1, counted = 0;
  while (counted < before) {
    const ssize_t n =
        ::read(fd, block.get(), static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, before - counted)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    line += static_cast<std::uint64_t>(std::count(block.get(), block.get() + n, '\n'));
    counted += static_cast<std::uint64_t>(n);
  }
  ::close(fd);
  return line;
}

std::string IoErrorMessage(int err) {
  switch (err) {
    case ENOENT: return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
    case EILSEQ: return "Invalid filename";
    case EMFILE:
    case ENFILE: return "Too many open files";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return "File access denied";
    default: return "I/O error " + std::to_string(err);
  }
}

std::string OpenFailureDetail(const std::string& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return "is a directory";
  return "";
}

}  // namespace vantrel
