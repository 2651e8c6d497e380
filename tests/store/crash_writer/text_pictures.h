#pragma once

#include "editor/planet_pictures.h"
#include "ui/platform/file_rules.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

// Planet pictures without an image library, for the crash writer and its test: a picture is a line
// of text, a strip is a text file of one line a cell between a header and an end mark, written as
// a whole or not at all, like the editor's bitmaps.
namespace zelmora::crash {

class TextPictures : public editor::PlanetImages {
 public:
  int Count() const override { return static_cast<int>(cells_.size()); }
  void Resize(int count) override { cells_.resize(static_cast<std::size_t>(std::max(0, count))); }
  bool HasPicture(int index) const override { return Valid(index) && !cells_[Cell(index)].empty(); }
  bool ReadsBackEmpty(int) const override { return false; }
  void Clear(int index) override {
    if (Valid(index)) cells_[Cell(index)].clear();
  }
  void Swap(int a, int b) override {
    if (Valid(a) && Valid(b)) std::swap(cells_[Cell(a)], cells_[Cell(b)]);
  }
  bool LoadStrip(const editor::fs::path& file, int cells) override {
    cells_.assign(static_cast<std::size_t>(std::max(0, cells)), std::string());
    std::string bytes;
    if (!platform::ReadWholeFile(file, bytes)) return false;
    std::istringstream in(bytes);
    std::string line;
    if (!std::getline(in, line) || line != "strip") return false;
    std::vector<std::string> read;
    while (std::getline(in, line) && line != "end") read.push_back(line);
    if (line != "end" || static_cast<int>(read.size()) != cells) return false;
    cells_ = read;
    return true;
  }
  bool SaveStrip(const editor::fs::path& file) const override {
    if (cells_.empty()) return false;
    std::string text = "strip\n";
    for (const auto& c : cells_) text += c + "\n";
    return static_cast<bool>(platform::AtomicReplace(file, text + "end\n"));
  }
  bool LoadPicture(int index, const editor::fs::path& file) override {
    std::string bytes;
    if (!Valid(index) || !platform::ReadWholeFile(file, bytes) || bytes.empty()) return false;
    cells_[Cell(index)] = bytes;
    return true;
  }
  bool SavePicture(int index, const editor::fs::path& file) const override {
    return HasPicture(index) && static_cast<bool>(platform::AtomicReplace(file, cells_[Cell(index)]));
  }

 private:
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  static std::size_t Cell(int index) { return static_cast<std::size_t>(index); }
  std::vector<std::string> cells_;
};

}  // namespace zelmora::crash
