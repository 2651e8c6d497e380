#pragma once

#include "simulator/test_session.h"
#include "ui/platform/file_rules.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmora::simulator {

// A test kept for replaying: where and how it started, the command lines in order with the answers
// to its questions (the input of `zmd play`), and the transcript it gave. A text file:
//
//   zmd play recording
//   game: /games/quarvel
//   system: Kestrel Verge
//   planet: 3
//   seed: 1712345678
//   flags: A,Treaty
//   last visit: 1.5
//   upgrades: on
//   badguy: off
//   start: responses Research          only when the test started at a group
//   ship: 0 0 0 0 0 0                 energy, capacity, shield energy, torpedoes, bay, PO store
//   upgrade levels: 1 1 1 1 1
//   damage: 0 0 0 0 0 0 0 0 0         systems 0..8
//   commands:
//     tick
//     hail
//   transcript:
//     test: Kestrel Verge, planet 3 (Great Red), seed 1712345678
//
// Names, commands and the transcript are UTF-8; the lines of the last two sections are indented by
// two blanks, so that any text can stand in them.
struct TestRecording {
  std::filesystem::path gameFolder;
  TestStart start;
  std::vector<std::string> lines;
  std::string transcript;
  // The file ended before it was whole (no transcript section, or a last line cut off); what was
  // read of it is kept.
  bool truncated = false;
};

std::string RecordingText(const TestRecording& recording);
// Nothing, with the reason in `error`, when the text is not a recording.
std::optional<TestRecording> ParseRecording(std::string_view text, std::string& error);

platform::FileResult SaveRecording(const TestRecording& recording, const std::filesystem::path& file);
// A relative game folder is taken from the recording's own folder when a folder of that name
// lies there.
std::optional<TestRecording> LoadRecording(const std::filesystem::path& file, std::string& error);

// The file a test of `planet` recorded at `stamp` ("20240501-143005") is saved as, in `folder`.
std::filesystem::path RecordingPath(const std::filesystem::path& folder, std::string_view system, int planet,
                                    std::string_view stamp);

// The first line (1-based) where two transcripts differ.
struct TranscriptDifference {
  int line = 0;
  std::optional<std::string> recorded;  // nothing: the transcript had ended
  std::optional<std::string> replayed;
};
std::optional<TranscriptDifference> FirstDifference(std::string_view recorded, std::string_view replayed);

// The captions the Test Options give the flags ("A", "Treaty", "9"), joined with commas.
std::string FlagCaptions(const std::vector<int>& flags);
// The flag number of a label caption ("A".."Z", "0".."9", "Treaty"); nothing when unknown.
std::optional<int> FlagOfCaption(const std::string& caption);

}  // namespace zelmora::simulator
