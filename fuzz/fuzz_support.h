#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

// What the fuzz targets share: a readable input format and a property check that stops the run.
namespace zelmora::fuzz {

// An input is a few fields, one a line, then the rest as one block of bytes, so the seeds stay
// readable text: "Names\n3\nThe Moon\n[General]\r\n...".
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next field, without its "\n"; what is left when no "\n" follows.
  std::string_view Line() {
    auto end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return line;
  }
  // A small number from the next field's first byte (0 when empty).
  int Number(int modulo) {
    std::string_view line = Line();
    return line.empty() ? 0 : static_cast<unsigned char>(line[0]) % modulo;
  }
  // The next byte as a number, and it is consumed (0 at the end).
  int Byte() {
    if (rest_.empty()) return 0;
    auto b = static_cast<unsigned char>(rest_[0]);
    rest_.remove_prefix(1);
    return b;
  }
  bool Empty() const { return rest_.empty(); }
  std::string_view Rest() {
    std::string_view all = rest_;
    rest_ = {};
    return all;
  }

 private:
  std::string_view rest_;
};

[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
  std::abort();
}

// A folder of this process under tmpfs when there is one (the store syncs every write).
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path(ec);
    auto f = base / ("zelmora-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(f, ec);
    std::atexit([] {
      std::error_code e;
      std::filesystem::remove_all(ScratchFolder(), e);
    });
    return f;
  }();
  return folder;
}

}  // namespace zelmora::fuzz

#define FUZZ_CHECK(condition) \
  do { \
    if (!(condition)) ::zelmora::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)
