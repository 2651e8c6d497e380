// zmd's own help and version, as its manual page and tab completion read them.
#include "tests/cli/zmd_run.h"

#include <gtest/gtest.h>

#include <regex>

namespace zelmora::testing {
namespace {

// The names listed under "Commands:".
std::vector<std::string> Commands(const std::string& help) {
  std::vector<std::string> names;
  auto start = help.find("\nCommands:\n");
  if (start == std::string::npos) return names;
  auto end = help.find("\n\n", start + 1);
  std::regex entry("\n  ([a-z][a-z-]*) ");
  std::string block = help.substr(start, end - start + 1);
  for (std::sregex_iterator it(block.begin(), block.end(), entry), last; it != last; ++it) names.push_back((*it)[1]);
  return names;
}

TEST(ZmdHelp, EveryCommandHasAUsageLineOptionsAndExitStatuses) {
  auto top = Zmd({"--help"});
  ASSERT_EQ(top.status, 0);
  auto commands = Commands(top.out);
  EXPECT_GE(commands.size(), 12u) << top.out;
  std::vector<std::vector<std::string>> paths;
  for (const auto& c : commands) {
    paths.push_back({c});
    for (const auto& sub : Commands(Zmd({c, "--help"}).out)) paths.push_back({c, sub});
  }
  EXPECT_GE(paths.size(), commands.size() + 5);  // key get/set/delete, message parse/display
  for (auto path : paths) {
    std::string joined = "zmd";
    for (const auto& p : path) joined += " " + p;
    path.push_back("--help");
    auto help = Zmd(path);
    EXPECT_EQ(help.status, 0) << joined;
    EXPECT_EQ(help.out.rfind("Usage: " + joined + " ", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("\nOptions:\n  -h, --help            display this help and exit\n"), std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("\nExit status:\n  0  success\n  1  "), std::string::npos) << help.out;
    // Options with a value say so GNU-style, never with the parser's type names.
    EXPECT_EQ(help.out.find("=TEXT"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("Excludes:"), std::string::npos) << help.out;
  }
  EXPECT_NE(Zmd({"check", "--help"}).out.find("  1  errors were found\n"), std::string::npos);
  EXPECT_NE(Zmd({"play", "--help"}).out.find("      --seed=SEED "), std::string::npos);
}

TEST(ZmdHelp, VersionAndABadCommandLine) {
  auto version = Zmd({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zmd (Zelmora) ", 0), 0u) << version.out;

  for (const std::vector<std::string>& bad : {std::vector<std::string>{}, {"no-such-command"}, {"list", "--frobnicate"},
                                               {"list"}}) {
    auto r = Zmd(bad);
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_EQ(r.out.rfind("zmd: ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nTry 'zmd --help' for more information.\n"), std::string::npos) << r.out;
  }
}

}  // namespace
}  // namespace zelmora::testing
