#include "writing/text_search.h"

#include "ui/platform/text_rules.h"

namespace zelmora::writing {

Matcher::Matcher(SearchOptions options) : options_(std::move(options)) {}

std::optional<Matcher> Matcher::Make(const SearchOptions& options, std::string* error) {
  if (options.pattern.empty()) {
    if (error) *error = "Nothing to find.";
    return std::nullopt;
  }
  Matcher m(options);
  if (!options.regex) {
    m.folded_ = platform::ToUpper1252(options.pattern);
    return m;
  }
  try {
    auto flags = std::regex::ECMAScript;
    if (!options.matchCase) flags |= std::regex::icase;
    m.regex_ = std::make_shared<const std::regex>(options.pattern, flags);
  } catch (const std::regex_error& e) {
    if (error) *error = std::string("The expression is not valid: ") + e.what();
    return std::nullopt;
  }
  return m;
}

// A whole word has no word character on either side inside its piece.
bool Matcher::Bounded(std::string_view text, std::size_t start, std::size_t end) const {
  if (!options_.wholeWord) return true;
  const bool before = start > 0 && IsWordCharacter(text[start - 1]) && IsWordCharacter(text[start]);
  const bool after = end < text.size() && end > 0 && IsWordCharacter(text[end]) && IsWordCharacter(text[end - 1]);
  return !before && !after;
}

std::vector<Match> Matcher::FindAll(std::string_view text, std::string_view replacement) const {
  std::vector<Match> matches;
  if (!regex_) {
    const std::string haystack = options_.matchCase ? std::string(text) : platform::ToUpper1252(text);
    const std::string& needle = options_.matchCase ? options_.pattern : folded_;
    for (std::size_t at = haystack.find(needle); at != std::string::npos;) {
      if (Bounded(text, at, at + needle.size())) {
        matches.push_back({{at, needle.size()}, std::string(replacement)});
        at = haystack.find(needle, at + needle.size());
      } else {
        at = haystack.find(needle, at + 1);
      }
    }
    return matches;
  }
  const std::string subject(text);
  const std::string format(replacement);
  for (auto it = std::sregex_iterator(subject.begin(), subject.end(), *regex_); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m.length(0) == 0) continue;  // an empty match would insert the replacement everywhere
    const auto start = static_cast<std::size_t>(m.position(0));
    const auto length = static_cast<std::size_t>(m.length(0));
    if (!Bounded(text, start, start + length)) continue;
    matches.push_back({{start, length}, m.format(format)});
  }
  return matches;
}

std::vector<Hit> FindHits(const TextValue& value, const Matcher& matcher, std::string_view replacement,
                          const messages::SpecialActionList* catalogue) {
  std::vector<Hit> hits;
  for (const ValuePart& part : SplitValue(value.value, value.kind, catalogue)) {
    if (!IsProse(part.role)) continue;
    const std::string_view piece = std::string_view(value.value).substr(part.span.start, part.span.length);
    for (Match& m : matcher.FindAll(piece, replacement)) {
      hits.push_back({{part.span.start + m.span.start, m.span.length}, part.role, std::move(m.replacement)});
    }
  }
  return hits;
}

std::string HitContext(const TextValue& value, Span hit, std::size_t width) {
  const std::string& v = value.value;
  const std::size_t from = hit.start > width ? hit.start - width : 0;
  const std::size_t to = std::min(v.size(), hit.End() + width);
  std::string context = v.substr(from, to - from);
  if (from > 0) context = "..." + context;
  if (to < v.size()) context += "...";
  return context;
}

}  // namespace zelmora::writing
