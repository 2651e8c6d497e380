#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelmora::history {

// A fast 64-bit hash of a document's bytes: which state a file is in, without keeping the file.
std::uint64_t HashBytes(std::string_view bytes);

// What one write did to one document: the bytes between a common beginning and a common end,
// before and after, and the whole document's hash on both sides.
struct Change {
  std::uint64_t step = 0;  // the step it belongs to: changes of one step share it
  std::string name;        // the step's name
  std::string document;    // "" is the working copy
  std::uint64_t offset = 0;
  std::string before;
  std::string after;
  std::uint64_t beforeHash = 0;
  std::uint64_t afterHash = 0;

  std::size_t Weight() const { return before.size() + after.size() + name.size() + document.size() + 64; }
};

// The change from `before` to `after` (no step or name yet).
Change Diff(std::string_view before, std::uint64_t beforeHash, std::string_view after, std::uint64_t afterHash);

// Replays a change on a document that is in its state before (forward) or after it (backward).
// False, with `bytes` unchanged, when the document cannot be in that state.
bool Forward(const Change& change, std::string& bytes);
bool Backward(const Change& change, std::string& bytes);

// A name for a step nobody named: the key (or section) of the first line that changed.
std::string DescribeChange(std::string_view before, const Change& change);

}  // namespace zelmora::history
