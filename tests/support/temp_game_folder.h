#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelmora::testing {

// A game folder of its own under the system's temporary folder, removed when the test ends:
// quarvel.exe, ZMDescriptor/ and PICTURES/, plus whatever files a test writes.
class TempGameFolder {
 public:
  explicit TempGameFolder(bool withGame = true);
  ~TempGameFolder();
  TempGameFolder(const TempGameFolder&) = delete;
  TempGameFolder& operator=(const TempGameFolder&) = delete;

  const std::filesystem::path& Path() const { return root_; }
  std::filesystem::path Descriptors() const { return root_ / "ZMDescriptor"; }
  std::filesystem::path Pictures() const { return root_ / "PICTURES"; }

  // Writes a file relative to the game folder (folders created as needed).
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // A descriptor file ZMDescriptor/<name><extension>.
  std::filesystem::path WriteDescriptor(const std::string& name, std::string_view bytes,
                                        const std::string& extension = ".zmd") const;
  std::string ReadDescriptor(const std::string& name, const std::string& extension = ".zmd") const;
  // Writes any file, creating its folders.
  static void WriteFile(const std::filesystem::path& path, std::string_view bytes);
  // Any file's bytes; "" when it cannot be read.
  static std::string ReadFile(const std::filesystem::path& path);

 private:
  std::filesystem::path root_;
};

// A new empty folder "<stem>-..." under the system's temporary folder.
std::filesystem::path UniqueTempFolder(std::string_view stem);

// The demo game folder of the source tree, copied into a fresh temporary folder.
class DemoGameFolder : public TempGameFolder {
 public:
  DemoGameFolder();
};

// Joins lines with CR LF (each line terminated), as the files are written.
std::string CrLf(std::initializer_list<std::string_view> lines);

}  // namespace zelmora::testing
