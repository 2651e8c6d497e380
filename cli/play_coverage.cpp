#include "cli/play_coverage.h"

#include "check/coverage.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"

#include <nlohmann/json.hpp>

namespace zelmora::cli {

namespace {

using platform::Cp1252ToUtf8;

std::string Joined(const std::vector<std::string>& keys) {
  std::string text;
  for (const auto& key : keys) text += (text.empty() ? "" : ", ") + Cp1252ToUtf8(key);
  return text;
}

nlohmann::json Json(const check::CoveragePart& part) {
  nlohmann::json never = nlohmann::json::array();
  for (const auto& key : part.neverPlayed) never.push_back(Cp1252ToUtf8(key));
  return {{"played", part.played}, {"present", part.present}, {"neverPlayed", never}};
}

void PrintText(CliContext& ctx, const check::PlanetCoverage& c) {
  const int played = c.messages.played + c.responses.played;
  const int present = c.messages.present + c.responses.present;
  ctx.out << Cp1252ToUtf8(c.system) << ", planet " << c.planet << " (" << Cp1252ToUtf8(c.name) << "), "
          << c.recordings << (c.recordings == 1 ? " recording" : " recordings") << ": " << played << " of " << present
          << " items played (messages " << c.messages.played << " of " << c.messages.present << ", responses "
          << c.responses.played << " of " << c.responses.present << "), rooms " << c.rooms.played << " of "
          << c.rooms.present << " entered" << (c.workingCopy ? ", against the working copy" : "") << "\n";
  if (!c.messages.neverPlayed.empty()) ctx.out << "  messages never played: " << Joined(c.messages.neverPlayed) << "\n";
  if (!c.responses.neverPlayed.empty()) {
    ctx.out << "  responses never played: " << Joined(c.responses.neverPlayed) << "\n";
  }
  if (!c.rooms.neverPlayed.empty()) ctx.out << "  rooms never entered: " << Joined(c.rooms.neverPlayed) << "\n";
}

}  // namespace

void PrintCoverage(CliContext& ctx, const std::vector<std::string>& files, const std::string& gameFolder, bool json) {
  check::CoverageCounter counter;
  int replayed = 0;
  for (const auto& file : files) {
    std::string error;
    if (!platform::FileExists(file)) {
      ctx.Fail(kNotFound, "no such recording: " + file);
      continue;
    }
    const auto recording = simulator::LoadRecording(file, error);
    if (!recording) {
      ctx.Fail(kFailed, file + ": " + error);
      continue;
    }
    const std::filesystem::path folder = gameFolder.empty() ? recording->gameFolder : std::filesystem::path(gameFolder);
    store::DescriptorStore store(folder);
    if (!FindSystem(ctx, folder.string(), Cp1252ToUtf8(recording->start.system), store)) continue;
    const auto outcome = counter.Add(*recording, folder);
    ++replayed;
    if (!outcome.understood) ctx.err << "zmd: " << file << ": some of its commands were not understood\n";
    if (outcome.departsAt) {
      ctx.err << "zmd: " << file << ": the replay departs from the recorded transcript at line " << *outcome.departsAt
              << "; its items are counted as the script plays them now\n";
    }
  }
  const auto report = counter.Report();
  if (json) {
    nlohmann::json j;
    j["recordings"] = replayed;
    j["planets"] = nlohmann::json::array();
    for (const auto& c : report) {
      j["planets"].push_back({{"game", c.gameFolder.string()},
                              {"system", Cp1252ToUtf8(c.system)},
                              {"planet", c.planet},
                              {"name", Cp1252ToUtf8(c.name)},
                              {"recordings", c.recordings},
                              {"workingCopy", c.workingCopy},
                              {"played", c.messages.played + c.responses.played},
                              {"present", c.messages.present + c.responses.present},
                              {"messages", Json(c.messages)},
                              {"responses", Json(c.responses)},
                              {"rooms", Json(c.rooms)}});
    }
    ctx.out << j.dump(2) << "\n";
    return;
  }
  for (const auto& c : report) PrintText(ctx, c);
}

}  // namespace zelmora::cli
