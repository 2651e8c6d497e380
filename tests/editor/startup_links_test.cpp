// What the dynamic loader brings in when the editor starts: the media libraries, with the sound
// server and network libraries behind them, come only with the animation player module.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace {

// The shared libraries `file` needs, directly and through the others, as ldd lists them (lower case).
std::string Needed(const std::string& file) {
  std::string listing;
  if (FILE* ldd = popen(("ldd '" + file + "' 2>&1").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, ldd)) > 0;) listing.append(buffer, n);
    pclose(ldd);
  }
  std::transform(listing.begin(), listing.end(), listing.begin(), [](unsigned char c) { return std::tolower(c); });
  return listing;
}

TEST(StartupLinks, TheEditorNeedsNoMediaLibraryAndThePlayerModuleDoes) {
  struct Case {
    const char* file;
    bool media;
  };
  const Case cases[] = {
      {ZMDEDIT, false},
#ifdef ZELMORA_ANIMATION_MODULE
      {ZELMORA_ANIMATION_MODULE, true},
#endif
  };
  for (const auto& c : cases) {
    const std::string needed = Needed(c.file);
    // A listing at all: the check would pass on an ldd that failed.
    ASSERT_NE(needed.find("libqt6widgets.so"), std::string::npos) << c.file << "\n" << needed;
    EXPECT_EQ(needed.find("libqt6multimedia") != std::string::npos, c.media) << c.file << "\n" << needed;
  }
}

}  // namespace
