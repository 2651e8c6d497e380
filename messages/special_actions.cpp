#include "messages/special_actions.h"

#include "store/text_lines.h"
#include "ui/platform/file_rules.h"

namespace zelmora::messages {

namespace {

std::string Between(std::string_view line, char open, char close) {
  auto start = line.find(open);
  if (start == std::string_view::npos) return {};
  auto end = line.find(close, start + 1);
  return std::string(line.substr(start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1));
}

std::string CutAfterAndFill(std::string_view line, char open, char close, std::string_view value) {
  auto start = line.find(open);
  if (start == std::string_view::npos) return std::string(line);
  std::string out(line.substr(0, start + 1));
  out.append(value);
  out.push_back(close);
  return out;
}

std::string CodeBeforeSeparator(std::string_view line) {
  auto at = line.find(kCodeSeparator);
  return at == std::string_view::npos ? std::string() : std::string(line.substr(0, at));
}

// The entry that a stored code belongs to: the last one whose code begins it.
const SpecialAction* FindEntry(std::string_view code, const SpecialActionList& catalogue) {
  for (auto it = catalogue.rbegin(); it != catalogue.rend(); ++it) {
    if (!it->IsHeading() && code.starts_with(it->Code)) return &*it;
  }
  return nullptr;
}

}  // namespace

SpecialActionList ParseSpecialActions(std::string_view bytes) {
  SpecialActionList list;
  store::ForEachLine(bytes, [&](const store::TextLine& line, std::size_t) {
    if (line.text.empty()) return true;
    SpecialAction action;
    action.Line = std::string(line.text);
    action.Code = CodeBeforeSeparator(line.text);
    action.IsPrefix = line.text[0] == '%' && line.text.find(kCodeSeparator) != std::string_view::npos;
    list.push_back(std::move(action));
    return true;
  });
  return list;
}

SpecialActionList LoadSpecialActions(const std::filesystem::path& gameFolder) {
  auto file = platform::FindNoCase(gameFolder, "SPECIAL.LST");
  std::string bytes;
  if (!file || !platform::ReadWholeFile(*file, bytes)) return {};
  return ParseSpecialActions(bytes);
}

std::optional<std::string> FindSpecialAction(std::string_view code, const SpecialActionList& catalogue) {
  const SpecialAction* entry = FindEntry(code, catalogue);
  if (!entry) return std::nullopt;
  if (code.size() == entry->Code.size()) return entry->Line;
  std::string_view value = code.substr(entry->Code.size());
  return WithFlagValue(WithFreeValue(entry->Line, value), value);
}

std::string UnknownCodeLine(std::string_view code) { return std::string(code) + std::string(kUnknownCodeMarker); }

bool IsUnknownCodeLine(std::string_view line) { return line.ends_with(kUnknownCodeMarker); }

std::string UnknownCode(std::string_view line) {
  if (!IsUnknownCodeLine(line)) return {};
  return std::string(line.substr(0, line.size() - kUnknownCodeMarker.size()));
}

std::string ActionCode(std::string_view line) {
  return IsUnknownCodeLine(line) ? UnknownCode(line) : CodeBeforeSeparator(line);
}

std::string FreeValue(std::string_view line) { return IsUnknownCodeLine(line) ? std::string() : Between(line, '(', ')'); }
std::string FlagValue(std::string_view line) { return IsUnknownCodeLine(line) ? std::string() : Between(line, '[', ']'); }
bool HasFreeValue(std::string_view line) { return !IsUnknownCodeLine(line) && line.find('(') != std::string_view::npos; }
bool HasFlagValue(std::string_view line) { return !IsUnknownCodeLine(line) && line.find('[') != std::string_view::npos; }

std::string StoredCode(std::string_view line) {
  if (IsUnknownCodeLine(line)) return UnknownCode(line);
  std::string code = ActionCode(line);
  if (code.empty()) return code;
  if (code[0] == '%') return code + FlagValue(line);
  if (code[0] == '^') return code;
  return code + FreeValue(line) + FlagValue(line);
}

bool IsShipSystemValue(std::string_view value) {
  return value.size() == 2 && value[0] == 'S' && value[1] >= '0' && value[1] <= '8';
}

std::string WithFreeValue(std::string_view line, std::string_view value) {
  if (IsUnknownCodeLine(line)) return std::string(line);
  return CutAfterAndFill(line, '(', ')', value);
}

std::string WithFlagValue(std::string_view line, std::string_view value) {
  if (IsUnknownCodeLine(line)) return std::string(line);
  return CutAfterAndFill(line, '[', ']', value);
}

bool IsRepairCondition(std::string_view code, const SpecialActionList& catalogue) {
  if (!code.starts_with("*R")) return false;
  const SpecialAction* entry = FindEntry(code, catalogue);
  return entry && entry->Code.starts_with("*R") && IsShipSystemValue(FreeValue(entry->Line)) &&
         IsShipSystemValue(code.substr(entry->Code.size()));
}

bool IsRepairCondition(std::string_view code) {
  for (std::string_view form : {"*RS", "*R!S"}) {
    if (code.starts_with(form)) return IsShipSystemValue(code.substr(form.size() - 1));
  }
  return false;
}

}  // namespace zelmora::messages
