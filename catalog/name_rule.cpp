#include "catalog/name_rule.h"

#include "catalog/name_pattern.h"
#include "platform/case_fold.h"

namespace catalog {

WildcardPattern::WildcardPattern(std::string_view text) : folded_(text::Folded(text)) {
  std::string run;
  auto endRun = [&] {
    if (run.size() > anchor_.size()) anchor_ = run;
    run.clear();
  };
  for (char c : folded_) {
    if (c == '*' || c == '?') endRun();
    else run += c;
  }
  endRun();
}

// The classic matcher with one point to come back to: after a "*", a
// mismatch retries one character further on. Linear in practice, and never
// worse than the product of the two lengths.
bool WildcardPattern::Matches(std::string_view s) const {
  const std::string_view p = folded_;
  size_t pi = 0, si = 0;
  size_t starP = std::string_view::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && p[pi] == '?') {
      ++pi;
      si += text::FoldedCharLength(s, si);
    } else if (pi < p.size() && p[pi] == s[si]) {
      ++pi;
      ++si;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      starS += text::FoldedCharLength(s, starS);
      si = starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size() && si == s.size();
}

struct NameRule::Alternative {
  explicit Alternative(std::string_view t) {
    if (t.find_first_of("*?") != std::string_view::npos) wildcard = std::make_unique<WildcardPattern>(t);
    else plain = std::make_unique<NamePattern>(t);
    const std::string folded = text::Folded(t);
    everything = plain && folded.find_first_not_of('%') == std::string::npos;
  }
  bool Matches(std::string_view s) const { return plain ? plain->Matches(s) : wildcard->Matches(s); }
  const std::string& Anchor() const { return plain ? plain->Anchor() : wildcard->Anchor(); }
  std::unique_ptr<NamePattern> plain;
  std::unique_ptr<WildcardPattern> wildcard;
  bool everything = false;
};

bool UsesWildcards(std::string_view text) { return text.find_first_of("*?|") != std::string_view::npos; }

NameRule::NameRule(std::string_view text) {
  // The engine reads a text as a C string; so does the search.
  text = text.substr(0, text.find('\0'));
  if (text.find('|') == std::string_view::npos) {
    alternatives_.push_back(std::make_unique<Alternative>(text));
    return;
  }
  size_t from = 0;
  while (from <= text.size()) {
    size_t bar = text.find('|', from);
    if (bar == std::string_view::npos) bar = text.size();
    if (bar > from) alternatives_.push_back(std::make_unique<Alternative>(text.substr(from, bar - from)));
    from = bar + 1;
  }
}

NameRule::~NameRule() = default;
NameRule::NameRule(NameRule&&) noexcept = default;
NameRule& NameRule::operator=(NameRule&&) noexcept = default;

bool NameRule::Matches(std::string_view s) const {
  for (const auto& a : alternatives_)
    if (a->Matches(s)) return true;
  return false;
}

bool NameRule::MatchesAlternative(size_t i, std::string_view s) const { return alternatives_[i]->Matches(s); }
const std::string& NameRule::Anchor(size_t i) const { return alternatives_[i]->Anchor(); }

bool NameRule::MatchesEverything() const {
  for (const auto& a : alternatives_)
    if (a->everything) return true;
  return false;
}

}  // namespace catalog
