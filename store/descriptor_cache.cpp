#include "store/descriptor_cache.h"

#include "store/profile_file.h"
#include "ui/platform/file_rules.h"

#include <algorithm>

namespace zelmora::store {

namespace {
// An index costs a few scans to build; after that many scans of one content it has paid for itself.
constexpr int kScansBeforeIndex = 8;
}  // namespace

const ProfileIndex& DescriptorContent::Index() const {
  if (!index_) index_ = std::make_unique<ProfileIndex>(bytes_);
  return *index_;
}

std::string DescriptorContent::Value(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  if (!index_ && scans_ < kScansBeforeIndex) {
    ++scans_;
    return ReadProfileValue(bytes_, section, key, defaultValue);
  }
  const std::string* value = Index().Find(section, key);
  std::string_view found = value ? std::string_view(*value) : defaultValue;
  return std::string(found.substr(0, kProfileValueLimit));
}

const std::vector<int>& DescriptorContent::KeyNumbers(std::string_view section, std::string_view prefix) const {
  return Index().Numbers(section, prefix);
}

DescriptorCache::DescriptorCache(Clock now) : now_(std::move(now)) {}

DescriptorCache::Entry& DescriptorCache::Put(const std::string& key) {
  if (entries_.size() >= kMaxFiles && !entries_.contains(key)) {
    auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                   [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
    entries_.erase(oldest);
  }
  Entry& entry = entries_[key];
  entry.lastUse = ++uses_;
  return entry;
}

std::shared_ptr<const DescriptorContent> DescriptorCache::Read(const std::filesystem::path& file) {
  const std::string key = file.string();
  // Taken before the identity: bytes read afterwards are at least as new as what it describes.
  const std::int64_t now = now_();
  const auto identity = platform::IdentityOf(file);
  auto it = entries_.find(key);
  if (!identity) {
    if (it != entries_.end()) entries_.erase(it);
    return nullptr;
  }
  if (it != entries_.end() && it->second.identity == *identity &&
      it->second.seenNs - identity->changedNs > kSettleNs) {
    it->second.lastUse = ++uses_;
    return it->second.content;
  }
  if (!platform::ReadWholeFile(file, buffer_)) {
    if (it != entries_.end()) entries_.erase(it);
    return nullptr;
  }
  ++fileReads_;
  std::shared_ptr<const DescriptorContent> content;
  // Unchanged bytes keep their content, and with it their index.
  if (it != entries_.end() && it->second.content->Bytes() == buffer_) {
    content = it->second.content;
  } else {
    content = std::make_shared<const DescriptorContent>(std::move(buffer_));
    buffer_ = std::string();
  }
  Entry& entry = Put(key);
  entry.identity = *identity;
  entry.seenNs = now;
  entry.content = content;
  return content;
}

void DescriptorCache::Written(const std::filesystem::path& file, std::shared_ptr<const DescriptorContent> content) {
  const std::int64_t now = now_();
  const auto identity = platform::IdentityOf(file);
  if (!identity || !content) return Forget(file);
  Entry& entry = Put(file.string());
  entry.identity = *identity;
  entry.seenNs = now;
  entry.content = std::move(content);
}

void DescriptorCache::Forget(const std::filesystem::path& file) { entries_.erase(file.string()); }

}  // namespace zelmora::store
