#pragma once

// What the benchmarks share: temporary game folders, a prompter that answers nothing, the
// hand-edited descriptor whose counts claim 32,767 items, and figures printed against targets.
#include "bench/figures.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/prompter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace zelmora::bench {

namespace fs = std::filesystem;

// ---- game folders

using NoQuestions = platform::DecliningPrompter;

// A system "Bench" of two planets, custom messages on for planet 1; sections follow.
inline constexpr const char* kHeader =
    "[General]\r\nPlanetPics = NN\r\nMessages = YN\r\n\r\n;SolarSystem\r\n;\"Bench               \",0,2\r\n"
    ";520,4,0,0,1,420\r\n;674,3,2,43523,13,465\r\n";

struct GameFolder {
  explicit GameFolder(const std::string& stem) {
    root = fs::temp_directory_path() / ("zelmora-bench-" + stem + "-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "ZMDescriptor");
    fs::create_directories(root / "PICTURES");
  }
  ~GameFolder() { fs::remove_all(root); }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  fs::path Descriptor(const std::string& name, const std::string& extension = ".zmd") const {
    return root / "ZMDescriptor" / (name + extension);
  }
  fs::path root;
};

// Planet 1 whose counts claim 32,767 items in every group while each holds a handful: 40 groups
// chained by their answer codes, about 100 KB.
inline std::string HostileDescriptor() {
  std::string s = kHeader;
  s += "[1]\r\nMessages=32767\r\nResponses=32767\r\n";
  const std::string filler =
      " The readings are unclear, the sensors are failing and the crew is getting restless, Captain.";
  for (int g = 1; g <= 40; ++g) {
    s += "Message" + std::to_string(g) + "=Signal " + std::to_string(g) + filler + "*RG" + std::to_string(g) + "\r\n";
  }
  for (int g = 1; g <= 40; ++g) {
    const std::string name = "G" + std::to_string(g);
    const std::string next = "G" + std::to_string(g % 40 + 1);
    s += "Messages" + name + "=32767\r\nResponses" + name + "=32767\r\n";
    for (int i = 1; i <= 10; ++i) {
      s += "Message" + name + std::to_string(i) + "=%W1Message " + std::to_string(i) + filler + "*R" + name + "\r\n";
    }
    for (int i = 1; i <= 8; ++i) {
      s += "Response" + name + std::to_string(i) + "=Answer " + std::to_string(i) + filler + "*M" + next + "\r\n";
    }
  }
  return s;
}

// A game folder holding the hostile descriptor as system "Hostile", written once per run.
inline const GameFolder& HostileGame() {
  static const GameFolder folder("hostile");
  static const bool written = static_cast<bool>(platform::AtomicReplace(folder.Descriptor("Hostile"), HostileDescriptor()));
  (void)written;
  return folder;
}

}  // namespace zelmora::bench
