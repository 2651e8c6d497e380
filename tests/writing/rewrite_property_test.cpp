// Random values built from the pieces of the syntax, every prose part rewritten with awkward
// texts: a rewrite that is let through never changes what the script's readers take for codes.
#include "messages/message_parts.h"
#include "writing/text_parts.h"

#include <gtest/gtest.h>

#include <random>

namespace zelmora::writing {
namespace {

// Everything of a value that is not prose, in order (a text rewritten to nothing joins its
// neighbours).
std::string Codes(std::string_view value, ValueKind kind) {
  std::string codes;
  for (const ValuePart& p : SplitValue(value, kind)) {
    if (!IsProse(p.role)) codes += value.substr(p.span.start, p.span.length);
  }
  return codes;
}

TEST(RewriteProperty, AcceptedRewritesKeepEveryCode) {
  const std::vector<std::string> pieces = {"%FA", "%W2", "%0",  "%",     "$",   "$BOX$", "$Title$", "*R", "*M",
                                           "Cave", "*SFA", "^EN", "^",    "%RK", "%nm",  " ",       "  ", "Hello",
                                           "world", "*",  "S1",  "!",    "ERR", "*RS1", "x"};
  const std::vector<std::string> replacements = {"", "X", " ", "%", "$", "*", "^", "Y Z", "%NM", "BOX", "\n", "%R", "K"};
  std::mt19937 random(26);
  int accepted = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string value;
    const int count = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) value += pieces[random() % pieces.size()];
    const auto kind = static_cast<ValueKind>(random() % 3);
    const std::vector<ValuePart> parts = SplitValue(value, kind);

    std::size_t at = 0;
    for (const ValuePart& p : parts) {
      ASSERT_EQ(p.span.start, at) << value;
      ASSERT_GT(p.span.length, 0u) << value;
      at = p.span.End();
    }
    ASSERT_EQ(at, value.size()) << value;

    for (const ValuePart& p : parts) {
      if (!IsProse(p.role)) continue;
      const std::string with = replacements[random() % replacements.size()];
      const Rewrite r = RewriteProse(value, {{p.span, with}}, kind);
      if (r.problem) {
        ++refused;
        continue;
      }
      ++accepted;
      ASSERT_LE(r.value.size(), messages::kMaxValueLength) << value;
      EXPECT_EQ(Codes(r.value, kind), Codes(value, kind)) << value << " -> " << r.value;
      if (kind == ValueKind::Info) continue;
      const messages::ItemKind item =
          kind == ValueKind::Response ? messages::ItemKind::Response : messages::ItemKind::Message;
      EXPECT_EQ(messages::StarPieces(messages::PlayedCodes(r.value, item)),
                messages::StarPieces(messages::PlayedCodes(value, item)))
          << value << " -> " << r.value;
      messages::MessageParts before = messages::ParseMessage(value), after = messages::ParseMessage(r.value);
      before.Text = after.Text;
      before.Title = after.Title;
      EXPECT_EQ(after, before) << value << " -> " << r.value;
    }
  }
  // Both ways are taken often, or the property says little.
  EXPECT_GT(accepted, 5000);
  EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace zelmora::writing
