#include "messages/message_parts.h"
#include "writing/text_parts.h"

#include <gtest/gtest.h>

namespace zelmora::writing {
namespace {

// A value's parts written out: text as is, every other part in brackets with its role's letter
// (C code, T title, P placeholder, A answer name).
std::string Marked(std::string_view value, ValueKind kind) {
  std::string out;
  for (const ValuePart& p : SplitValue(value, kind)) {
    const std::string piece(value.substr(p.span.start, p.span.length));
    switch (p.role) {
      case PartRole::Text: out += piece; break;
      case PartRole::Code: out += "[C:" + piece + "]"; break;
      case PartRole::Title: out += "[T:" + piece + "]"; break;
      case PartRole::Placeholder: out += "[P:" + piece + "]"; break;
      case PartRole::AnswerName: out += "[A:" + piece + "]"; break;
    }
  }
  return out;
}

TEST(SplitValue, EveryShapeOfTheSyntax) {
  struct Case {
    std::string value;
    ValueKind kind;
    std::string marked;
  } cases[] = {
      {"Let us Trade.*RTrade", ValueKind::Message, "Let us Trade.[C:*R][A:Trade]"},
      {"Trade.*MTrade", ValueKind::Response, "Trade.[C:*M][A:Trade]"},
      {"%W2$Relay Control$Hello %RK, welcome.^SN*SFB", ValueKind::Message,
       "[C:%W2$][T:Relay Control][C:$]Hello [P:%RK], welcome.[C:^SN*SFB]"},
      {"$BOX$The Watch locks its guns.*H40*DS0", ValueKind::Message, "[C:$BOX$]The Watch locks its guns.[C:*H40*DS0]"},
      {"%FA%fB  spaced out  *M", ValueKind::Response, "[C:%FA%fB  ]spaced out  [C:*M]"},
      {"Our cells are yours.^EN*+ENM500*SP1*RResearch", ValueKind::Message,
       "Our cells are yours.[C:^EN*+ENM500*SP1*R][A:Research]"},
      // repair conditions look like answer codes and are none; a group "Sun" is one
      {"Fixed.*RS1*RSun", ValueKind::Message, "Fixed.[C:*RS1*R][A:Sun]"},
      {"ERR", ValueKind::Message, "[C:ERR]"},
      {"", ValueKind::Message, ""},
      // placeholders are found in any case, also side by side
      {"%nm%RK greet you", ValueKind::Message, "[C:%nm%RK ]greet you"},  // read as conditions
      {"Hi %nm%RK greet you", ValueKind::Message, "Hi [P:%nm][P:%RK] greet you"},
      {"A world of the %AN.", ValueKind::Info, "A world of the [P:%AN]."},
      // an information text is all prose, whatever it holds
      {"Stars*and^carets", ValueKind::Info, "Stars*and^carets"},
      // play shows a response up to its first "*": a title holding one hides the rest
      {"$a*b$text*Mx", ValueKind::Response, "[C:$][T:a][C:*b$text*M][A:x]"},
      // an unclosed marker: the "$" is dropped and the rest is text
      {"$Unclosed title", ValueKind::Message, "[C:$]Unclosed title"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Marked(c.value, c.kind), c.marked) << c.value;
  }
}

TEST(SplitValue, PartsCoverTheValueAndTheTextIsWhatTheParserReads) {
  for (std::string_view value : {"%W3%05$T$ Hello %RK!  ^EN*SFA*RNext", "%G-Go north.*MCave", "$BOX$*R",
                                 "  padded  ", "%F", "^ENText after an upgrade*R", "A*B*C"}) {
    std::string whole, text;
    std::size_t at = 0;
    for (const ValuePart& p : SplitValue(value, ValueKind::Message)) {
      EXPECT_EQ(p.span.start, at) << value;
      at = p.span.End();
      whole += value.substr(p.span.start, p.span.length);
      if (p.role == PartRole::Text || p.role == PartRole::Placeholder) text += value.substr(p.span.start, p.span.length);
    }
    EXPECT_EQ(whole, value);
    EXPECT_EQ(text, messages::ParseMessage(value).Text) << value;
  }
}

// The value after replacing `from` (its first occurrence in prose) by `to`.
Rewrite Replace(std::string_view value, std::string_view from, std::string_view to, ValueKind kind = ValueKind::Message) {
  std::size_t at = std::string_view::npos;
  for (const ValuePart& p : SplitValue(value, kind)) {
    if (!IsProse(p.role)) continue;
    const auto found = value.substr(p.span.start, p.span.length).find(from);
    if (found != std::string_view::npos) {
      at = p.span.start + found;
      break;
    }
  }
  EXPECT_NE(at, std::string_view::npos) << from << " in " << value;
  return RewriteProse(value, {{{at, from.size()}, std::string(to)}}, kind);
}

TEST(RewriteProse, ChangesOnlyTheText) {
  struct Case {
    std::string value, from, to;
    ValueKind kind;
    std::string after;
  } cases[] = {
      {"Let us Trade.*RTrade", "Trade", "Barter", ValueKind::Message, "Let us Barter.*RTrade"},
      {"$Relay Control$Identify, %RK.*RHail", "Control", "Watch", ValueKind::Message, "$Relay Watch$Identify, %RK.*RHail"},
      {"%FQAsk about the signal.*MPeace", "signal", "beacon", ValueKind::Response, "%FQAsk about the beacon.*MPeace"},
      {"Hello world*SFA", "world", "world ", ValueKind::Message, "Hello world *SFA"},
      {"A temperate world.", "temperate", "cold", ValueKind::Info, "A cold world."},
      {"Fifty percent", "percent", "%", ValueKind::Message, "Fifty %"},
  };
  for (const auto& c : cases) {
    const Rewrite r = Replace(c.value, c.from, c.to, c.kind);
    EXPECT_FALSE(r.problem) << c.value << ": " << r.problem.value_or("");
    EXPECT_EQ(r.value, c.after);
  }
}

TEST(RewriteProse, RefusesWhatWouldNotReadBackAsWritten) {
  struct Case {
    std::string value, from, to;
    ValueKind kind;
    std::string why;  // a piece of the reason
  } cases[] = {
      {"Trade now.*MTrade", "now", "*SFA", ValueKind::Response, "\"*\""},
      {"Trade now.", "now", "^EN", ValueKind::Message, "\"^\""},
      {"Trade now.", "Trade", "%FA", ValueKind::Message, "codes"},
      {"Trade now.*MTrade", "Trade", "$5", ValueKind::Response, "cannot begin with \"$\""},
      {"Hello world", "world", "world ", ValueKind::Message, "blank"},
      {"Hello world", "Hello", " ", ValueKind::Message, "blank"},
      {"$Relay$Hi", "Relay", "Re$lay", ValueKind::Message, "title"},
      {"$Relay$Hi", "Relay", "BOX", ValueKind::Message, "box marker"},
      {"Rate %XM.", "X", "N", ValueKind::Message, "placeholder"},
      {"Line one", "one", "one\r\nSecret=1", ValueKind::Message, "line break"},
      {"Line one", "one", "one\nagain", ValueKind::Info, "line break"},
      {"Only text", "Only text", "", ValueKind::Message, "left empty"},
      {"Plain info", "Plain", " Plain", ValueKind::Info, "blank"},
  };
  for (const auto& c : cases) {
    const Rewrite r = Replace(c.value, c.from, c.to, c.kind);
    ASSERT_TRUE(r.problem) << c.value << " -> " << r.value;
    EXPECT_NE(r.problem->find(c.why), std::string::npos) << *r.problem;
  }
}

TEST(RewriteProse, RefusesAValueReadBackCut) {
  const std::string fits = std::string(250, 'a') + " x*RNext";  // 258 > 254: already too long
  EXPECT_TRUE(Replace(fits, "x", "y").problem);
  const std::string near = std::string(240, 'a') + " x*RNext";  // 248
  EXPECT_FALSE(Replace(near, "x", "yyyyyyy").problem);          // 254: still read whole
  const Rewrite cut = Replace(near, "x", "yyyyyyyy");           // 255
  ASSERT_TRUE(cut.problem);
  EXPECT_NE(cut.problem->find("255"), std::string::npos);
}

TEST(RewriteProse, RefusesAnEditThatReachesIntoACode) {
  const std::string value = "Let us Trade.*RTrade";
  const Rewrite r = RewriteProse(value, {{{15, 5}, "Barter"}}, ValueKind::Message);
  EXPECT_TRUE(r.problem);
}

TEST(Words, RunsOfLettersWithInnerApostrophes) {
  auto words = [](std::string_view text) {
    std::vector<std::string> out;
    for (const Span& s : Words(text)) out.emplace_back(text.substr(s.start, s.length));
    return out;
  };
  EXPECT_EQ(words("Don't 'quote' me, H\xF6vda-7!"), (std::vector<std::string>{"Don't", "quote", "me", "H\xF6vda", "7"}));
  EXPECT_EQ(words("  ...  "), std::vector<std::string>{});
  EXPECT_EQ(words("x\xD7y"), (std::vector<std::string>{"x", "y"}));  // the multiplication sign is no letter
}

}  // namespace
}  // namespace zelmora::writing
