// Text that grows by appending and never moves once written. It is kept in
// pieces of about 256 KB, so a long list of names costs about its length
// while it grows, where one string would copy itself into twice its size
// on the way.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class PieceText {
 public:
  struct Position {
    std::uint32_t piece = 0;
    std::uint32_t offset = 0;
  };

  // Appends `a` and `b` whole within one piece; returns where `a` begins.
  Position Append(std::string_view a, std::string_view b = {}) {
    const std::size_t n = a.size() + b.size();
    if (pieces_.empty() || !Fits(pieces_.back(), n)) {
      pieces_.emplace_back();
      pieces_.back().reserve(std::max(n, pieces_.size() == 1 ? std::size_t{0} : kPiece));
    }
    std::string& piece = pieces_.back();
    const Position at{static_cast<std::uint32_t>(pieces_.size() - 1),
                      static_cast<std::uint32_t>(piece.size())};
    piece += a;
    piece += b;
    size_ += n;
    return at;
  }

  std::size_t size() const { return size_; }
  const std::vector<std::string>& pieces() const { return pieces_; }

  // Appends the whole text to `out` and lets go of each piece once copied.
  void MoveTo(std::string& out) {
    for (std::string& piece : pieces_) {
      out += piece;
      std::string().swap(piece);
    }
    pieces_.clear();
    size_ = 0;
  }

 private:
  static constexpr std::size_t kPiece = std::size_t{256} * 1024;

  // The first piece grows as a string does, up to a piece's size; the next
  // ones are made that size at once.
  static bool Fits(const std::string& piece, std::size_t n) {
    return piece.size() + n <= std::max(piece.capacity(), kPiece);
  }

  std::vector<std::string> pieces_;
  std::size_t size_ = 0;
};

}  // namespace vantrel
