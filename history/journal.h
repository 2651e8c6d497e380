#pragma once

#include "history/change.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace zelmora::history {

// What a journal holds once replayed: the chain of changes and how many of them are applied.
struct Chain {
  std::vector<Change> changes;
  std::size_t position = 0;
};

// A system's history on disk: one file of records, each appended with one write and checked by
// its own hash, so that a record cut short by a kill is recognised and ignored. A change record
// drops the changes beyond the position and appends; a position record moves it; a drop record
// forgets the oldest changes. Rewritten whole (scratch file and rename) when it has grown well
// beyond what it holds.
class Journal {
 public:
  explicit Journal(std::filesystem::path file);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  const std::filesystem::path& File() const { return file_; }

  // Replays the file; an empty chain when there is none. A damaged tail is cut off.
  Chain Load();
  // False when the record could not be written.
  bool AppendChange(const Change& change);
  bool AppendPosition(std::size_t position);
  bool AppendDrop(std::size_t count);
  // Writes the file anew holding only `chain`.
  bool Rewrite(const Chain& chain);
  // Rewrites when the file is several times what `chain` needs.
  void Compact(const Chain& chain);
  // Removes the file.
  void Remove();

 private:
  bool Append(char type, const std::string& payload);
  std::FILE* Stream();
  void CloseStream();

  std::filesystem::path file_;
  std::FILE* stream_ = nullptr;
  std::uint64_t size_ = 0;  // bytes in the file
};

std::size_t ChainWeight(const Chain& chain);

}  // namespace zelmora::history
