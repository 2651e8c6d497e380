#pragma once

// The simplest film a player reads: an AVI of uncompressed 24-bit frames, each a colour of its own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace zelmora::testing {

inline void WriteAvi(const std::filesystem::path& file, int frames, int side = 16, int fps = 10) {
  // Rows of 3 * side bytes need no padding when side is a multiple of 4.
  const auto frameBytes = static_cast<std::uint32_t>(side * side * 3);
  std::string out;
  auto u16 = [&](std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  auto id = [&](const char* fourcc) { out.append(fourcc, 4); };
  // A chunk's size is written when it ends.
  auto open = [&](const char* fourcc) {
    id(fourcc);
    const std::size_t at = out.size();
    u32(0);
    return at;
  };
  auto close = [&](std::size_t at) {
    const auto size = static_cast<std::uint32_t>(out.size() - at - 4);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
  };
  const auto w = static_cast<std::uint32_t>(side);
  const auto n = static_cast<std::uint32_t>(frames);

  const auto riff = open("RIFF");
  id("AVI ");
  const auto hdrl = open("LIST");
  id("hdrl");
  const auto avih = open("avih");
  for (std::uint32_t v : {1000000u / fps, frameBytes * fps, 0u, 0x10u /* has an index */, n, 0u, 1u, frameBytes, w, w,
                          0u, 0u, 0u, 0u}) {
    u32(v);
  }
  close(avih);
  const auto strl = open("LIST");
  id("strl");
  const auto strh = open("strh");
  id("vids");
  u32(0);  // no codec: raw frames
  for (std::uint32_t v : {0u, 0u, 0u, 1u, static_cast<std::uint32_t>(fps), 0u, n, frameBytes, 0xFFFFFFFFu, 0u}) u32(v);
  for (std::uint32_t v : {0u, 0u, w, w}) u16(v);
  close(strh);
  const auto strf = open("strf");
  for (std::uint32_t v : {40u, w, w}) u32(v);  // bottom-up rows
  u16(1);
  u16(24);
  for (std::uint32_t v : {0u /* uncompressed */, frameBytes, 0u, 0u, 0u, 0u}) u32(v);
  close(strf);
  close(strl);
  close(hdrl);
  const auto movi = open("LIST");
  const std::size_t moviStart = out.size();
  id("movi");
  std::string index;
  for (int f = 0; f < frames; ++f) {
    const auto offset = static_cast<std::uint32_t>(out.size() - moviStart);
    const auto frame = open("00db");
    for (std::uint32_t p = 0; p < frameBytes / 3; ++p) {
      out.push_back(static_cast<char>(40 * f));
      out.push_back(static_cast<char>(255 - 40 * f));
      out.push_back(static_cast<char>(128));
    }
    close(frame);
    index.append("00db");
    for (std::uint32_t v : {0x10u /* key frame */, offset, frameBytes}) {
      for (int i = 0; i < 4; ++i) index.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
  }
  close(movi);
  const auto idx1 = open("idx1");
  out += index;
  close(idx1);
  close(riff);
  std::ofstream(file, std::ios::binary) << out;
}

}  // namespace zelmora::testing
