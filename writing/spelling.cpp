#include "writing/spelling.h"

#include "adventure/room_model.h"
#include "messages/script_keys.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <algorithm>
#include <cstdlib>

namespace zelmora::writing {

namespace {

bool HasDigit(std::string_view word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The code page's right single quote is an apostrophe to a dictionary.
std::string Plain(std::string_view word) {
  std::string w(word);
  std::replace(w.begin(), w.end(), '\x92', '\'');
  return w;
}

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

}  // namespace

void WordList::AddWords(std::string_view text) {
  for (const Span& s : Words(text)) Add(text.substr(s.start, s.length));
}

void WordList::Add(std::string_view word) {
  if (!word.empty()) words_.insert(platform::ToUpper1252(Plain(word)));
}

bool WordList::Contains(std::string_view word) const { return words_.count(platform::ToUpper1252(Plain(word))) > 0; }

WordList GameWords(const std::filesystem::path& gameFolder) {
  WordList words;
  // The captions of the rooms' standard actions are the game's own words ("tricorder").
  for (const char* caption : adventure::kSlotCaptions) words.AddWords(caption);
  store::DescriptorStore catalogue(gameFolder);
  for (const std::string& name : catalogue.ListCatalogueSystems()) words.AddWords(name);
  for (const std::string& alien : catalogue.GetTables().AlienNames) words.AddWords(alien);
  ForEachSystem(gameFolder, true, [&](store::DescriptorStore& store, const store::SolarSystemRecord& record) {
    words.AddWords(record.Name);
    words.AddWords(record.StarName);
    for (int n = 1; n <= record.PlanetCount; ++n) words.AddWords(store.GetPlanetName(record, n, record.StarName));
    ForEachPlanet(store, record, 0, [&](messages::PlanetScript& script) {
      for (const char* flags : {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789"}) {
        for (const char* flag = flags; *flag; ++flag) {
          const std::string description = script.GetMessage(messages::FlagDescriptionKey(*flag));
          if (description != store::kNoMessage) words.AddWords(description);
        }
      }
    });
  });
  return words;
}

UserWords::UserWords(std::filesystem::path file) : file_(std::move(file)) {
  std::string bytes;
  if (!platform::ReadWholeFile(file_, bytes)) return;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = platform::TrimBlanks(std::string_view(bytes).substr(at, end - at));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) {
      words_.Add(platform::Utf8ToCp1252(line));
      lines_.push_back(std::move(line));
    }
    at = end + 1;
  }
}

bool UserWords::Add(std::string_view word) {
  if (word.empty() || words_.Contains(word)) return true;
  words_.Add(word);
  lines_.push_back(platform::Cp1252ToUtf8(word));
  std::string bytes;
  for (const std::string& line : lines_) bytes += line + "\n";
  std::error_code ec;
  std::filesystem::create_directories(file_.parent_path(), ec);
  return platform::AtomicReplace(file_, bytes).ok;
}

std::filesystem::path DefaultUserWordsFile() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path folder;
  if (data && *data) {
    folder = data;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::filesystem::path(home ? home : ".") / ".local" / "share";
  }
  return folder / "ZMDEdit" / "words.txt";
}

Speller::Speller(Dictionary& dictionary, WordList gameWords, UserWords& userWords)
    : dictionary_(dictionary), game_(std::move(gameWords)), user_(userWords) {}

bool Speller::Correct(std::string_view word) {
  if (word.empty() || HasDigit(word)) return true;
  const std::string plain = Plain(word);
  auto found = known_.find(plain);
  if (found != known_.end()) return found->second;
  const bool known = game_.Contains(plain) || user_.Words().Contains(plain) || dictionary_.Knows(plain);
  known_.emplace(plain, known);
  return known;
}

std::vector<std::string> Speller::Suggestions(std::string_view word, std::size_t most) {
  const std::string plain = Plain(word);
  auto found = suggested_.find(plain);
  if (found == suggested_.end()) found = suggested_.emplace(plain, dictionary_.Suggest(plain)).first;
  std::vector<std::string> suggestions = found->second;
  if (suggestions.size() > most) suggestions.resize(most);
  return suggestions;
}

void Speller::AddToDictionary(std::string_view word) {
  user_.Add(Plain(word));
  known_.clear();  // the word in every case it was met in
}

std::vector<Span> Speller::Misspelt(std::string_view text, const std::vector<Span>& prose) {
  std::vector<Span> wrong;
  for (const Span& part : prose) {
    const std::string_view piece = text.substr(part.start, part.length);
    for (const Span& w : Words(piece)) {
      if (!Correct(piece.substr(w.start, w.length))) wrong.push_back({part.start + w.start, w.length});
    }
  }
  return wrong;
}

std::vector<Span> Speller::Misspelt(std::string_view value, ValueKind kind) {
  std::vector<Span> prose;
  for (const ValuePart& p : SplitValue(value, kind)) {
    if (IsProse(p.role)) prose.push_back(p.span);
  }
  return Misspelt(value, prose);
}

std::vector<Span> BoxProse(std::string_view text, BoxKind kind) {
  // A room's box holds what lies between the prefix codes and the first "*": read as a value of
  // its own it splits the same way. The other boxes hold nothing but prose and placeholders.
  const ValueKind as = kind == BoxKind::RoomDescription ? ValueKind::Message
                       : kind == BoxKind::RoomAction    ? ValueKind::Response
                                                        : ValueKind::Info;
  std::vector<Span> prose;
  for (const ValuePart& p : SplitValue(text, as)) {
    if (IsProse(p.role)) prose.push_back(p.span);
  }
  return prose;
}

std::vector<check::Finding> SpellingFindings(const messages::PlanetScript& script, Speller& speller) {
  std::vector<check::Finding> findings;
  for (const TextValue& value : PlanetTexts(script)) {
    std::set<std::string> seen;
    for (const Span& s : speller.Misspelt(value.value, value.kind)) {
      const std::string word = value.value.substr(s.start, s.length);
      if (!seen.insert(word).second) continue;
      check::Finding f;
      f.severity = check::Severity::Note;
      f.kind = check::FindingKind::Spelling;
      f.system = value.system;
      f.planet = value.planet;
      f.group = value.group;
      f.list = value.list;
      f.item = value.item;
      f.key = value.key;
      f.message = Quoted(word) + " is not in the dictionary";
      const std::vector<std::string> suggestions = speller.Suggestions(word, 5);
      if (!suggestions.empty()) {
        f.message += " (perhaps ";
        for (std::size_t i = 0; i < suggestions.size(); ++i) f.message += (i ? ", " : "") + Quoted(suggestions[i]);
        f.message += ")";
        f.fix = "replace it with " + Quoted(suggestions.front()) + ", or add it to the dictionary";
      } else {
        f.fix = "correct it, or add it to the dictionary";
      }
      findings.push_back(std::move(f));
    }
  }
  return findings;
}

}  // namespace zelmora::writing
