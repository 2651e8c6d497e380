#pragma once

#include "simulator/test_recording.h"
#include "simulator/test_session.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

// A test of one planet driven by text commands, one a line, with a transcript of everything the
// panel and its boxes show. Questions (yes/no, a number, a response) take the next input line
// unless the command that raised them carried the answer ("respond 2", "energy 1.5").
struct PlaySettings : TestStart {
  std::filesystem::path gameFolder;
  // Read the system's working copy when the editor has one open (the script as it is being edited).
  bool workingCopy = false;
  // Where the trace of the test goes; null for none.
  TraceSink* trace = nullptr;
  // Told the key of every message shown and every response sent.
  std::function<void(const std::string& key)> played;
};

// 0 when every command was understood, 1 otherwise. The game folder and system must exist. With a
// recording, the test is kept there: the start (a seed from the clock is fixed first), every input
// line and the transcript.
int RunPlaySession(const PlaySettings& settings, std::istream& in, std::ostream& out,
                   TestRecording* recording = nullptr);

// A recording played again against the game folder's current script: its transcript, and whether
// every command was understood.
struct Replay {
  std::string transcript;
  bool understood = true;
  bool workingCopy = false;  // the script came from the editor's working copy
};
// `played` is told the key of every message shown and every response sent.
Replay ReplayRecording(const TestRecording& recording, const std::filesystem::path& gameFolder,
                       std::function<void(const std::string& key)> played = {});

// A recording played again only as long as its transcript agrees with the recorded one: the first
// line that differs ends the replay (a recorded transcript that ends early, too).
struct ReplayCheck {
  std::optional<TranscriptDifference> difference;
  int agreed = 0;  // transcript lines that agreed
  bool workingCopy = false;
};
ReplayCheck CheckReplay(const TestRecording& recording, const std::filesystem::path& gameFolder);

}  // namespace zelmora::simulator
