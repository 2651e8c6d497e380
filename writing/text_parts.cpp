#include "writing/text_parts.h"

#include "messages/script_keys.h"
#include "messages/typed_text.h"
#include "ui/platform/text_rules.h"

#include <algorithm>

namespace zelmora::writing {

namespace {

using messages::ItemKind;

ItemKind KindOf(ValueKind kind) { return kind == ValueKind::Response ? ItemKind::Response : ItemKind::Message; }

std::size_t Offset(std::string_view inner, std::string_view outer) {
  return static_cast<std::size_t>(inner.data() - outer.data());
}

bool IsPlaceholderAt(std::string_view text, std::size_t at) {
  if (at + 3 > text.size() || text[at] != '%') return false;
  for (std::string_view p : messages::kPlaceholders) {
    if (platform::EqualsNoCase(text.substr(at, 3), p)) return true;
  }
  return false;
}

// `span` of `value` cut into text and placeholders.
void AddText(std::string_view value, Span span, std::vector<ValuePart>& parts) {
  std::size_t from = span.start;
  for (std::size_t at = span.start; at + 3 <= span.End();) {
    if (!IsPlaceholderAt(value, at)) {
      ++at;
      continue;
    }
    if (at > from) parts.push_back({{from, at - from}, PartRole::Text});
    parts.push_back({{at, 3}, PartRole::Placeholder});
    at += 3;
    from = at;
  }
  if (span.End() > from) parts.push_back({{from, span.End() - from}, PartRole::Text});
}

// Play ends what it shows of an item at its first "*": nothing after it is prose, whatever the
// editor's reading makes of a title holding one.
Span Clip(Span span, std::size_t limit) {
  if (span.start >= limit) return {span.start, 0};
  return {span.start, std::min(span.length, limit - span.start)};
}

std::size_t CountPlaceholders(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (IsPlaceholderAt(text, at)) {
      ++n;
      at += 2;
    }
  }
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<ValuePart> SplitValue(std::string_view value, ValueKind kind, const messages::SpecialActionList* catalogue) {
  std::vector<ValuePart> marked;
  if (kind == ValueKind::Info) {
    AddText(value, {0, value.size()}, marked);
    return marked;
  }
  const std::string_view played = messages::PlayedCodes(value, KindOf(kind));
  const std::size_t playedAt = Offset(played, value);
  const std::size_t firstStar = played.find('*');
  const std::size_t limit = firstStar == std::string_view::npos ? value.size() : playedAt + firstStar;

  const messages::TextSpans spans = messages::FindTextSpans(value);
  if (spans.title) {
    const Span title = Clip(*spans.title, limit);
    if (title.length > 0) marked.push_back({title, PartRole::Title});
  }
  AddText(value, Clip(spans.text, limit), marked);

  for (const Span& piece : messages::StarPieceSpans(played)) {
    const std::string_view code = played.substr(piece.start, piece.length);
    if (code.size() < 2 || (code[0] != 'M' && code[0] != 'R')) continue;
    if (code[0] == 'R') {
      const std::string star = "*" + std::string(code);
      if (catalogue ? messages::IsRepairCondition(star, *catalogue) : messages::IsRepairCondition(star)) continue;
    }
    marked.push_back({{playedAt + piece.start + 1, piece.length - 1}, PartRole::AnswerName});
  }

  std::sort(marked.begin(), marked.end(), [](const ValuePart& a, const ValuePart& b) { return a.span.start < b.span.start; });
  std::vector<ValuePart> parts;
  std::size_t at = 0;
  for (const ValuePart& part : marked) {
    if (part.span.start > at) parts.push_back({{at, part.span.start - at}, PartRole::Code});
    parts.push_back(part);
    at = part.span.End();
  }
  if (at < value.size()) parts.push_back({{at, value.size() - at}, PartRole::Code});
  return parts;
}

std::string ApplyEdits(std::string_view value, std::vector<PartEdit> edits) {
  std::sort(edits.begin(), edits.end(), [](const PartEdit& a, const PartEdit& b) { return a.span.start < b.span.start; });
  std::string out;
  std::size_t at = 0;
  for (const PartEdit& e : edits) {
    out.append(value.substr(at, e.span.start - at));
    out += e.text;
    at = e.span.End();
  }
  out.append(value.substr(std::min(at, value.size())));
  return out;
}

namespace {

// The region from the first to the last part of the given roles; empty when there is none.
std::optional<Span> Region(const std::vector<ValuePart>& parts, bool title) {
  std::optional<Span> region;
  for (const ValuePart& p : parts) {
    const bool wanted = title ? p.role == PartRole::Title : (p.role == PartRole::Text || p.role == PartRole::Placeholder);
    if (!wanted) continue;
    if (!region) region = p.span;
    else region->length = p.span.End() - region->start;
  }
  return region;
}

// The text of `region` with the edits that lie inside it.
std::string EditedRegion(std::string_view value, Span region, const std::vector<PartEdit>& edits) {
  std::vector<PartEdit> inside;
  for (const PartEdit& e : edits) {
    if (e.span.start >= region.start && e.span.End() <= region.End()) {
      inside.push_back({{e.span.start - region.start, e.span.length}, e.text});
    }
  }
  return ApplyEdits(value.substr(region.start, region.length), std::move(inside));
}

}  // namespace

Rewrite RewriteProse(std::string_view before, const std::vector<PartEdit>& edits, ValueKind kind,
                     const messages::SpecialActionList* catalogue) {
  Rewrite r;
  const std::vector<ValuePart> parts = SplitValue(before, kind, catalogue);
  for (const PartEdit& e : edits) {
    const bool inProse = std::any_of(parts.begin(), parts.end(), [&](const ValuePart& p) {
      return IsProse(p.role) && e.span.start >= p.span.start && e.span.End() <= p.span.End();
    });
    if (!inProse) {
      r.problem = "The change reaches into a code.";
      return r;
    }
  }
  r.value = ApplyEdits(before, edits);
  auto refuse = [&](std::string why) {
    r.problem = std::move(why);
    return r;
  };
  if (r.value == before) return r;  // nothing changes
  // What the reader never saw of an over-long value would come into play.
  if (before.size() > messages::kMaxValueLength) {
    return refuse("The value is already longer than the reader gives back (" +
                  std::to_string(messages::kMaxValueLength) + " characters); shorten it in the editor first.");
  }
  if (r.value.empty() && kind != ValueKind::Info) {
    return refuse("The item would be left empty; remove it in the message editor instead.");
  }
  if (r.value.size() > messages::kMaxValueLength) {
    return refuse("The value would be " + std::to_string(r.value.size()) +
                  " characters long: the reader gives back only the first " +
                  std::to_string(messages::kMaxValueLength) + ".");
  }

  const std::optional<Span> textRegion = Region(parts, false);
  const std::optional<Span> titleRegion = Region(parts, true);
  const std::string oldText = textRegion ? std::string(before.substr(textRegion->start, textRegion->length)) : "";
  const std::string newText = textRegion ? EditedRegion(before, *textRegion, edits) : "";

  if (kind == ValueKind::Info) {
    if (auto problem = messages::TextProblem(newText, messages::TextUse::Info)) return refuse(*problem);
    if (!r.value.empty() && (IsBlank(r.value.front()) || IsBlank(r.value.back()))) {
      return refuse("The text would begin or end with a blank, which the reader drops.");
    }
  } else {
    const messages::MessageParts old = catalogue ? messages::ParseMessage(before, *catalogue) : messages::ParseMessage(before);
    const bool shielded = old.Display != messages::DisplayKind::Standard;
    const messages::TextUse use = kind == ValueKind::Response && !shielded ? messages::TextUse::ResponseText
                                                                          : messages::TextUse::MessageText;
    if (auto problem = messages::TextProblem(newText, use)) return refuse(*problem);
    messages::MessageParts expected = old;
    expected.Text = newText;
    if (titleRegion) {
      expected.Title = EditedRegion(before, *titleRegion, edits);
      if (auto problem = messages::TextProblem(expected.Title, messages::TextUse::Title)) return refuse(*problem);
      if (expected.Title == messages::kBoxTitle) return refuse("A title \"BOX\" would be read as the box marker.");
    }
    const messages::MessageParts back =
        catalogue ? messages::ParseMessage(r.value, *catalogue) : messages::ParseMessage(r.value);
    if (back != expected) {
      if (platform::TrimSpaces(newText) != newText) {
        return refuse("The text would begin or end with a blank, which the reader drops.");
      }
      return refuse("The text would be read back as codes: it would begin like a code or end the codes before it.");
    }
    const ItemKind itemKind = KindOf(kind);
    if (messages::StarPieces(messages::PlayedCodes(r.value, itemKind)) !=
        messages::StarPieces(messages::PlayedCodes(before, itemKind))) {
      return refuse("The change would alter the codes play reads.");
    }
  }
  if (CountPlaceholders(newText) != CountPlaceholders(oldText)) {
    return refuse("The text would gain a placeholder (\"%NM\", \"%RK\", \"%AN\", \"%KL\" or \"%BG\").");
  }
  return r;
}

bool IsWordCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '\'' || u == 0x92) return true;
  switch (u) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return u >= 0xC0 && u != 0xD7 && u != 0xF7;
  }
}

std::vector<Span> Words(std::string_view text) {
  auto apostrophe = [](char c) { return c == '\'' || static_cast<unsigned char>(c) == 0x92; };
  std::vector<Span> words;
  for (std::size_t at = 0; at < text.size();) {
    if (!IsWordCharacter(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && IsWordCharacter(text[end])) ++end;
    std::size_t start = at;
    std::size_t stop = end;
    while (start < stop && apostrophe(text[start])) ++start;
    while (stop > start && apostrophe(text[stop - 1])) --stop;
    if (stop > start) words.push_back({start, stop - start});
    at = end;
  }
  return words;
}

}  // namespace zelmora::writing
