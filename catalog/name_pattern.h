// The name search's rule, compiled once per search: a name matches when it
// is like "%" + text + "%", where "%" in the text is any run of characters,
// "_" any one character and everything else literal, letters compared by
// Unicode's simple case folding. Names and text are matched in folded form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace catalog {

class NamePattern {
 public:
  explicit NamePattern(std::string_view text);

  // Whether the folded name matches.
  bool Matches(std::string_view foldedName) const;
  // The longest run of literal bytes that every match contains ("" when the
  // text has none): a fast byte search for it finds every candidate.
  const std::string& Anchor() const { return anchor_; }

 private:
  // One part of the text between two "%": literal byte runs and "_".
  struct Token {
    bool any = false;
    std::string literal;
  };
  using Piece = std::vector<Token>;
  static size_t MatchAt(const Piece& piece, std::string_view s, size_t pos);
  static size_t Find(const Piece& piece, std::string_view s, size_t from, size_t& end);

  std::vector<Piece> pieces_;
  std::string anchor_;
};

// The first occurrence of `needle` in [begin, end), or end. Scans for the
// needle's least common byte, as grep does, so that most of the text is
// passed over by a byte search.
const char* FindBytes(const char* begin, const char* end, std::string_view needle);

}  // namespace catalog
