#include "tests/cli/zmd_run.h"

#include <gtest/gtest.h>

namespace zelmora {
namespace {

testing::ZmdRun EncodeStar(const std::string& name) { return testing::Zmd({"encode-star", name}); }

TEST(ZmdEncodeStar, PrintsTheTwentyOneBytesInHex) {
  testing::ZmdRun nine = EncodeStar("9Sol");
  EXPECT_EQ(nine.status, 0);
  std::string spaces;
  for (int i = 0; i < 17; ++i) spaces += " df";
  EXPECT_EQ(nine.out, "f6 ac 90 93" + spaces + "\n");
  // A name given in UTF-8 is encoded in the game's code page: one byte for the e acute.
  EXPECT_EQ(EncodeStar("Caf\xC3\xA9").out.substr(0, 15), "01 bc 9e 99 16 ");
}

TEST(ZmdEncodeStar, NamesTooLongForTheGameFail) {
  testing::ZmdRun r = EncodeStar(std::string(21, 'x'));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("too long"), std::string::npos);
}

}  // namespace
}  // namespace zelmora
