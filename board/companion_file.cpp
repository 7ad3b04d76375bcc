#include "board/companion_file.h"

#include <filesystem>
#include <system_error>

#include "board/board_scan.h"

namespace vantrel {

std::string CompanionFile(const std::string& boardFile) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(boardFile).parent_path();
  const fs::path exact = folder / kCompanionName;
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact.string();

  fs::path found;
  int matches = 0;
  const fs::path listed = folder.empty() ? fs::path(".") : folder;
  for (fs::directory_iterator it(listed, ec), end; !ec && it != end; it.increment(ec)) {
    if (NameEquals(it->path().filename().string(), kCompanionName)) {
      found = folder / it->path().filename();
      ++matches;
    }
  }
  return matches == 1 ? found.string() : exact.string();
}

}  // namespace vantrel
