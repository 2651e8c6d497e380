#pragma once

#include "writing/script_texts.h"
#include "writing/text_parts.h"

#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::writing {

struct SearchOptions {
  std::string pattern;      // code-page text
  bool regex = false;       // ECMAScript syntax
  bool matchCase = false;
  bool wholeWord = false;
};

// One match inside one piece of prose, with what a replacement puts there.
struct Match {
  Span span;  // within the searched text
  std::string replacement;
};

// Finds a pattern inside pieces of prose. Matches never reach across a piece: a code or a
// placeholder between two pieces is never part of one.
class Matcher {
 public:
  // Nothing, with `error` set, when the pattern is empty or not a valid expression.
  static std::optional<Matcher> Make(const SearchOptions& options, std::string* error = nullptr);

  // Every non-empty match in `text`, left to right, without overlaps. `replacement` (code-page
  // text) is what each match becomes: taken literally, or for an expression with "$1", "$&" and
  // "$$" read as the standard replacement syntax.
  std::vector<Match> FindAll(std::string_view text, std::string_view replacement = {}) const;

 private:
  explicit Matcher(SearchOptions options);
  bool Bounded(std::string_view text, std::size_t start, std::size_t end) const;

  SearchOptions options_;
  std::string folded_;  // the pattern in upper case, for a plain search ignoring case
  std::shared_ptr<const std::regex> regex_;
};

// A match in a stored value.
struct Hit {
  Span span;       // within the value
  PartRole role;   // Text or Title
  std::string replacement;
};

// The matches in a value's prose.
std::vector<Hit> FindHits(const TextValue& value, const Matcher& matcher, std::string_view replacement = {},
                          const messages::SpecialActionList* catalogue = nullptr);

// Up to `width` characters of the value's text on either side of a hit, for a list of hits.
std::string HitContext(const TextValue& value, Span hit, std::size_t width = 30);

}  // namespace zelmora::writing
