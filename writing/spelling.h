#pragma once

#include "check/finding.h"
#include "messages/planet_script.h"
#include "store/descriptor_store.h"
#include "ui/platform/settings_store.h"
#include "writing/script_texts.h"
#include "writing/text_parts.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelmora::writing {

namespace settings {
// The Hunspell dictionary spelling uses ("en_US"), and whether the editors mark misspelt words.
inline constexpr platform::TextSetting Dictionary{"Spelling", "Dictionary", "en_US"};
inline constexpr platform::BoolSetting CheckAsYouType{"Spelling", "Check As You Type", true};
}  // namespace settings

// A dictionary: whether it knows a word and what it would put instead. Words are code-page text.
class Dictionary {
 public:
  virtual ~Dictionary() = default;
  virtual bool Knows(std::string_view word) = 0;
  virtual std::vector<std::string> Suggest(std::string_view word) = 0;
};

// Words known besides the dictionary, compared without regard to case.
class WordList {
 public:
  // Every word of `text`.
  void AddWords(std::string_view text);
  void Add(std::string_view word);
  bool Contains(std::string_view word) const;
  std::size_t Size() const { return words_.size(); }

 private:
  std::set<std::string> words_;  // upper-cased
};

// The game's own words: every system's name, star name and planet names, the catalogue's systems,
// the alien names, every planet's flag descriptions and the rooms' standard actions. Each system is read from its working copy
// where the editor has one.
WordList GameWords(const std::filesystem::path& gameFolder);

// The author's own list ("Add to Dictionary"): one word a line, UTF-8, in the program's data folder.
class UserWords {
 public:
  explicit UserWords(std::filesystem::path file);
  const std::filesystem::path& File() const { return file_; }
  const WordList& Words() const { return words_; }
  // Adds the word and rewrites the file; false when the file could not be written (the word is
  // known for this run all the same).
  bool Add(std::string_view word);

 private:
  std::filesystem::path file_;
  WordList words_;
  std::vector<std::string> lines_;
};

// Where the author's list lives when no folder is given: $XDG_DATA_HOME/ZMDEdit/words.txt, by
// default ~/.local/share/ZMDEdit/words.txt (the editor's data folder).
std::filesystem::path DefaultUserWordsFile();

// Spelling over a dictionary, the game's words and the author's, with every answer kept.
class Speller {
 public:
  Speller(Dictionary& dictionary, WordList gameWords, UserWords& userWords);

  // Words holding a digit (room names, numbers) are never misspelt.
  bool Correct(std::string_view word);
  std::vector<std::string> Suggestions(std::string_view word, std::size_t most = 8);
  void AddToDictionary(std::string_view word);

  // The misspelt words of `text` inside the given spans of prose.
  std::vector<Span> Misspelt(std::string_view text, const std::vector<Span>& prose);
  // The misspelt words of a value's prose (its text and title, never a placeholder or a code).
  std::vector<Span> Misspelt(std::string_view value, ValueKind kind);

 private:
  Dictionary& dictionary_;
  WordList game_;
  UserWords& user_;
  std::unordered_map<std::string, bool> known_;
  std::unordered_map<std::string, std::vector<std::string>> suggested_;
};

// The prose spans of a text as an editor's box holds it: the whole box for a message's text or
// the information text, a title, or a room's description or action text (whose display marker and
// upgrade codes stay in the box).
enum class BoxKind { Text, RoomDescription, RoomAction };
std::vector<Span> BoxProse(std::string_view text, BoxKind kind);

// Findings of kind spelling (notes) for every misspelt word of a planet's prose, one per word and
// value, with its suggestions.
std::vector<check::Finding> SpellingFindings(const messages::PlanetScript& script, Speller& speller);

}  // namespace zelmora::writing
