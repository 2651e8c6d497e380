// The installer's delivery from a package with any SETUP.LST: nothing is planned or written
// outside the game folder, not even through a link inside it that points elsewhere; a package file
// that is a link or a FIFO is never copied (nor read: the run would block or take another file).
#include "fuzz/fuzz_support.h"
#include "installer/delivery.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

using namespace zelmora;
namespace fs = std::filesystem;

namespace {

struct Folders {
  fs::path package, game, outside, secret;
};

constexpr const char* kSecret = "the packer's private file";

const Folders& Setup() {
  static const Folders f = [] {
    Folders x{fuzz::ScratchFolder() / "package", fuzz::ScratchFolder() / "game", fuzz::ScratchFolder() / "outside",
              fuzz::ScratchFolder() / "secret"};
    fs::create_directories(x.package);
    for (const char* name : {"Vega.zmd", "Vega.bmp", "Vega1.avi", "quarvel.exe"}) {
      std::ofstream(x.package / name) << "package file";
    }
    std::ofstream(x.secret) << kSecret;
    std::error_code ec;
    fs::create_symlink(x.secret, x.package / "Secret.bmp", ec);
    fs::create_symlink("/dev/zero", x.package / "Zero.zmd", ec);
    ::mkfifo((x.package / "Pipe.avi").c_str(), 0600);
    return x;
  }();
  return f;
}

bool HoldsTheSecret(const fs::path& folder) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes == kSecret) return true;
  }
  return false;
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
  fs::path p = fs::weakly_canonical(path, ec);
  // A part too long for the file system cannot be resolved (nor created): compare the text, as no
  // link can lie beyond it.
  if (ec || p.empty()) p = fs::canonical(folder, ec) / path.lexically_normal().lexically_relative(folder);
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
  if (size > 65536) return 0;
  const Folders& f = Setup();
  FreshGame(f);
  const installer::SetupList list =
      installer::ParseSetupList(std::string_view(reinterpret_cast<const char*>(data), size));
  const installer::DeliveryPlan plan = installer::PlanDelivery(f.package, f.game, list);
  for (const auto& copy : plan.copies) {
    FUZZ_CHECK(Inside(copy.target, f.game));
    FUZZ_CHECK(!fs::is_symlink(copy.source) && fs::is_regular_file(copy.source));
  }
  installer::CarryOut(plan);
  FUZZ_CHECK(fs::is_empty(f.outside));
  FUZZ_CHECK(!HoldsTheSecret(f.game));
  return 0;
}
