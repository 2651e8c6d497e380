#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace zelmora {
namespace {

struct Output {
  int status;
  std::string text;
};

Output EncodeStar(const std::string& quotedName) {
  std::string command = std::string(ZMD) + " encode-star " + quotedName + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  Output r{-1, {}};
  char buffer[512];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.text.append(buffer, n);
  int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TEST(ZmdEncodeStar, PrintsTheTwentyOneBytesInHex) {
  Output nine = EncodeStar("9Sol");
  EXPECT_EQ(nine.status, 0);
  std::string spaces;
  for (int i = 0; i < 17; ++i) spaces += " df";
  EXPECT_EQ(nine.text, "f6 ac 90 93" + spaces + "\n");
  // A name given in UTF-8 is encoded in the game's code page: one byte for the e acute.
  EXPECT_EQ(EncodeStar("'Caf\xC3\xA9'").text.substr(0, 15), "01 bc 9e 99 16 ");
}

TEST(ZmdEncodeStar, NamesTooLongForTheGameFail) {
  Output r = EncodeStar(std::string(21, 'x'));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.text.find("too long"), std::string::npos);
}

}  // namespace
}  // namespace zelmora
