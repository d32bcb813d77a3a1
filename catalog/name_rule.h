// What the search text asks of a name. A text is one or more alternatives
// separated by "|"; a name matches when it matches any of them. An
// alternative holding "*" or "?" is a wildcard over the whole name ("*" any
// run of characters, "?" any one, everything else literal, "%" and "_" and
// "[" too); any other alternative keeps the rule of a plain search, the name
// is like "%" + text + "%" (NamePattern). A text without "|", "*" or "?"
// means exactly what it always meant; Windows names never hold those three
// characters, so no search of before changes. Empty alternatives ("a|",
// "|b") are left out; a text of nothing but "|" matches nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// A wildcard over a whole folded name.
class WildcardPattern {
 public:
  explicit WildcardPattern(std::string_view text);
  bool Matches(std::string_view foldedName) const;
  const std::string& Anchor() const { return anchor_; }

 private:
  std::string folded_;
  std::string anchor_;
};

class NameRule {
 public:
  explicit NameRule(std::string_view text);
  ~NameRule();
  NameRule(NameRule&&) noexcept;
  NameRule& operator=(NameRule&&) noexcept;

  bool Matches(std::string_view foldedName) const;
  size_t Alternatives() const { return alternatives_.size(); }
  bool MatchesAlternative(size_t i, std::string_view foldedName) const;
  // The longest literal run every match of alternative i holds ("" when
  // any name may match it).
  const std::string& Anchor(size_t i) const;
  // Whether every name matches (a plain text of nothing or of "%" only).
  bool MatchesEverything() const;

 private:
  struct Alternative;
  std::vector<std::unique_ptr<Alternative>> alternatives_;
};

// Whether the text uses the wildcard or alternative forms.
bool UsesWildcards(std::string_view text);

}  // namespace catalog
