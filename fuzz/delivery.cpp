// The installer's delivery from a package with any SETUP.LST: nothing is planned or written
// outside the game folder, not even through a link inside it that points elsewhere.
#include "fuzz/fuzz_support.h"
#include "installer/delivery.h"

#include <fstream>

using namespace zelmora;
namespace fs = std::filesystem;

namespace {

struct Folders {
  fs::path package, game, outside;
};

const Folders& Setup() {
  static const Folders f = [] {
    Folders x{fuzz::ScratchFolder() / "package", fuzz::ScratchFolder() / "game", fuzz::ScratchFolder() / "outside"};
    fs::create_directories(x.package);
    for (const char* name : {"Vega.zmd", "Vega.bmp", "Vega1.avi", "quarvel.exe"}) {
      std::ofstream(x.package / name) << "package file";
    }
    return x;
  }();
  return f;
}

// A fresh game folder: the usual folders, and links that lead out of it.
void FreshGame(const Folders& f) {
  std::error_code ec;
  fs::remove_all(f.game, ec);
  fs::remove_all(f.outside, ec);
  fs::create_directories(f.game / "ZMDescriptor");
  fs::create_directories(f.game / "PICTURES");
  fs::create_directories(f.outside);
  std::ofstream(f.game / "quarvel.exe") << "game";
  fs::create_directory_symlink(f.outside, f.game / "Linked", ec);
  fs::create_symlink(f.outside / "victim", f.game / "PICTURES" / "Vega.bmp", ec);
}

bool Inside(const fs::path& path, const fs::path& folder) {
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(path, ec);
  const fs::path g = fs::canonical(folder, ec);
  auto pi = p.begin();
  for (const auto& part : g) {
    if (pi == p.end() || *pi != part) return false;
    ++pi;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const Folders& f = Setup();
  FreshGame(f);
  const installer::SetupList list =
      installer::ParseSetupList(std::string_view(reinterpret_cast<const char*>(data), size));
  const installer::DeliveryPlan plan = installer::PlanDelivery(f.package, f.game, list);
  for (const auto& copy : plan.copies) FUZZ_CHECK(Inside(copy.target, f.game));
  installer::CarryOut(plan);
  FUZZ_CHECK(fs::is_empty(f.outside));
  return 0;
}
