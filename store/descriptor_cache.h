#pragma once

#include "store/profile_index.h"
#include "ui/platform/file_identity.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelmora::store {

// One version of a descriptor's bytes, shared by the read cache and a batch. Lookups scan the
// bytes as the profile reader does until they are frequent enough to pay for an index of every
// key, so a content read once after each write costs no more than before.
class DescriptorContent {
 public:
  explicit DescriptorContent(std::string bytes) : bytes_(std::move(bytes)) {}
  DescriptorContent(const DescriptorContent&) = delete;
  DescriptorContent& operator=(const DescriptorContent&) = delete;

  const std::string& Bytes() const { return bytes_; }

  // ReadProfileValue's answer (cut to the reader's length).
  std::string Value(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // ProfileIndex::Numbers.
  const std::vector<int>& KeyNumbers(std::string_view section, std::string_view prefix) const;

 private:
  const ProfileIndex& Index() const;

  std::string bytes_;
  mutable std::unique_ptr<ProfileIndex> index_;
  mutable int scans_ = 0;
};

// The descriptors' bytes as last seen, each kept with the identity of the file it came from. A
// read checks the identity (no read of the file) and reads the file again when it differs. A file
// changed within a moment of when it was seen could keep its identity on a coarse clock, so such an
// entry is compared with the file's bytes on its next use until that moment has passed.
class DescriptorCache {
 public:
  using Clock = std::function<std::int64_t()>;  // nanoseconds, as platform::NowNs
  explicit DescriptorCache(Clock now = platform::NowNs);

  // The file's bytes as they are now; null when the file cannot be read.
  std::shared_ptr<const DescriptorContent> Read(const std::filesystem::path& file);
  // Bytes the caller has just written to the file.
  void Written(const std::filesystem::path& file, std::shared_ptr<const DescriptorContent> content);
  void Forget(const std::filesystem::path& file);

  // How often a file's bytes were read.
  int FileReads() const { return fileReads_; }

  // How long after its last change a file counts as settled: far above the clock tick behind the
  // file systems' times (a few milliseconds; 10 ms for FAT's status time).
  static constexpr std::int64_t kSettleNs = 1'000'000'000;
  static constexpr std::size_t kMaxFiles = 8;

 private:
  struct Entry {
    platform::FileIdentity identity;
    std::int64_t seenNs = 0;  // the clock before the identity was taken
    std::shared_ptr<const DescriptorContent> content;
    std::uint64_t lastUse = 0;
  };
  Entry& Put(const std::string& key);

  Clock now_;
  std::unordered_map<std::string, Entry> entries_;  // by path
  std::string buffer_;
  std::uint64_t uses_ = 0;
  int fileReads_ = 0;
};

}  // namespace zelmora::store
