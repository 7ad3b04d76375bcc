#include "board/board_error.h"

#include <cerrno>

namespace vantrel {

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

}  // namespace vantrel
