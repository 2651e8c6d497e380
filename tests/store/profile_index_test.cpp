#include "store/profile_file.h"
#include "store/profile_index.h"

#include "tests/support/temp_game_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace zelmora::store {
namespace {

using testing::CrLf;

// A default the files never hold, so "absent" can be told from any stored value.
const std::string kAbsent = "\x01";

std::string IndexAnswer(const ProfileIndex& index, std::string_view section, std::string_view key) {
  const std::string* value = index.Find(section, key);
  return value ? value->substr(0, kProfileValueLimit) : kAbsent;
}

// Files built from the pieces the reader treats specially: names differing in case (1252 letters
// too), blanks and tabs, headers without "]", comments, lines without "=", repeated sections and
// keys, quotes that do or do not pair, long values, NUL bytes and the three line ends.
std::string RandomProfile(std::mt19937& random) {
  const std::vector<std::string> headers = {"[1]",       "[2]",      "[ 1 ]", "\t[General]", "[general] junk",
                                            "[NAMES",    "[names]",  "[]",    "[\xE9t\xE9]", "[\xC9T\xC9]",
                                            "  [2]  x"};
  const std::vector<std::string> keys = {"Message1",  "message1", "MESSAGE1", "Message01", "Message10", "Message150",
                                         "MessageA1", "MessageA12", "Key",    " Key\t",    "",          "\xC4rger",
                                         "\xE4RGER",  "Messages",  "Message0"};
  const std::vector<std::string> values = {"plain",  "  padded \t", "\"quoted\"", "'single'", "\"mixed'",
                                           "\"",     "",            "a=b",        std::string(300, 'x'),
                                           std::string("nul\0after", 9), " \"  inner  \" "};
  const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
  auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  std::string s;
  const int lines = 5 + static_cast<int>(random() % 60);
  for (int i = 0; i < lines; ++i) {
    switch (random() % 10) {
      case 0: s += pick(headers); break;
      case 1: s += ";" + pick(keys) + "=" + pick(values); break;
      case 2: s += random() % 2 ? "no equals here" : ""; break;
      default: s += pick(keys) + (random() % 2 ? "=" : " = ") + pick(values); break;
    }
    if (i + 1 < lines || random() % 2) s += pick(ends);
  }
  return s;
}

TEST(ProfileIndex, AnswersAsTheReaderOnVariedFiles) {
  const std::vector<std::string> sections = {"1", "2", " 1", "General", "GENERAL", "names", "Names", "",
                                             "\xC9t\xE9", "3"};
  const std::vector<std::string> keys = {"Message1", "MESSAGE1", "message01", "Message10", "Message150", "messagea12",
                                         "Key",      " Key",     "",          "\xC4RGER", "\xE4rger",   "Messages",
                                         "Absent",   "Message0"};
  const std::vector<std::string> prefixes = {"Message", "MESSAGE", "MessageA", "messagea1", "Key", "", "Absent"};
  std::mt19937 random(7);
  for (int file = 0; file < 150; ++file) {
    const std::string bytes = RandomProfile(random);
    const ProfileIndex index(bytes);
    for (const auto& section : sections) {
      for (const auto& key : keys) {
        ASSERT_EQ(IndexAnswer(index, section, key), ReadProfileValue(bytes, section, key, kAbsent))
            << "section [" << section << "] key [" << key << "] in\n" << bytes;
      }
      for (const auto& prefix : prefixes) {
        std::vector<int> present;
        for (int n = 1; n <= 160; ++n) {
          if (ReadProfileValue(bytes, section, prefix + std::to_string(n), kAbsent) != kAbsent) present.push_back(n);
        }
        ASSERT_EQ(index.Numbers(section, prefix), present) << "section [" << section << "] prefix [" << prefix
                                                           << "] in\n" << bytes;
      }
    }
  }
}

TEST(ProfileIndex, NumbersSplitTrailingDigitsEveryWay) {
  const std::string bytes = CrLf({"[2]", "MessageA12=x", "messagea1=y", "MessageA05=z", "MessageA1234567890=far",
                                  "[1]", "MessageA7=other section", "[2]", "MessageA3=a second [2] is never read"});
  const ProfileIndex index(bytes);
  EXPECT_EQ(index.Numbers("2", "MessageA"), (std::vector<int>{1, 12}));
  EXPECT_EQ(index.Numbers("2", "MESSAGEA1"), (std::vector<int>{2, 234567890}));
  EXPECT_EQ(index.Numbers("2", "MessageA123"), (std::vector<int>{4567890}));
  EXPECT_EQ(index.Numbers("2", "MessageA0"), (std::vector<int>{5}));
  EXPECT_TRUE(index.Numbers("2", "Message").empty());
  EXPECT_TRUE(index.Numbers("9", "MessageA").empty());
  EXPECT_EQ(index.Numbers("1", "MessageA"), (std::vector<int>{7}));
}

}  // namespace
}  // namespace zelmora::store
