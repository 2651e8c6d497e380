#include "packaging/outside_programs.h"

#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/process_runner.h"
#include "ui/platform/program_search.h"

namespace zelmora::packaging {

namespace {

// A program found on disk, as command-line text; empty when the code page cannot hold its path.
std::string Found(const std::filesystem::path& path) {
  return platform::Utf8ToCp1252Exact(path.string()).value_or("");
}

// The stored (code-page) text as the file to run: an existing file, or a bare name found on the
// search path.
std::string StoredProgram(const std::string& stored, std::string_view searchPath) {
  const std::string native = platform::Cp1252ToUtf8(stored);
  if (platform::FileExists(native)) return stored;
  if (auto found = platform::FindProgram(native, searchPath)) return Found(*found);
  return {};
}

}  // namespace

OutsideProgram PaintProgram(const platform::SettingsStore& settings, std::string_view searchPath) {
  OutsideProgram paint;
  paint.options = platform::options::PaintOptions.Read(settings);
  if (platform::options::PaintProgram.IsSet(settings)) {
    paint.lookedFor = platform::options::PaintProgram.Read(settings);
    paint.program = StoredProgram(paint.lookedFor, searchPath);
    return paint;
  }
  for (const char* candidate : kPaintPrograms) {
    if (!paint.lookedFor.empty()) paint.lookedFor += candidate == kPaintPrograms.back() ? " or " : ", ";
    paint.lookedFor += candidate;
    if (paint.program.empty()) {
      if (auto found = platform::FindProgram(candidate, searchPath)) paint.program = Found(*found);
    }
  }
  return paint;
}

OutsideProgram ZipProgram(const platform::SettingsStore& settings, std::string_view searchPath) {
  OutsideProgram zip;
  if (platform::options::ZipProgram.IsSet(settings)) {
    zip.lookedFor = platform::options::ZipProgram.Read(settings);
    zip.program = StoredProgram(zip.lookedFor, searchPath);
    zip.options = platform::options::ZipOptions.Read(settings);
    return zip;
  }
  zip.lookedFor = kZipProgram;
  if (platform::FileExists(kZipProgram)) zip.program = kZipProgram;
  // The stored options were written for whatever program the user chose; without one, the
  // options that go with this platform's program.
  zip.options = platform::options::ZipOptions.IsSet(settings) ? platform::options::ZipOptions.Read(settings)
                                                               : kZipOptions;
  return zip;
}

std::string ExpandPlaceholder(const std::string& options, const std::string& file) {
  std::string expanded;
  for (std::size_t i = 0; i < options.size();) {
    if (options.compare(i, 2, "%1") == 0) {
      expanded += file;
      i += 2;
    } else {
      expanded += options[i++];
    }
  }
  return expanded;
}

std::optional<std::string> OutsideCommandLine(const std::string& program, const std::string& options,
                                              const std::string& file) {
  const bool quoted = program.size() >= 2 && program.front() == '"' && program.back() == '"';
  std::vector<std::string> words{quoted ? program.substr(1, program.size() - 2) : program};
  for (const auto& word : platform::SplitCommandLine(options)) words.push_back(ExpandPlaceholder(word, file));
  std::string line;
  for (const auto& word : words) {
    if (!line.empty()) line += ' ';
    line += platform::QuoteCommandWord(word);
  }
  if (platform::SplitCommandLine(line) != words) return std::nullopt;
  return line;
}

std::optional<std::string> ArchiveCommandLine(const std::string& program, const std::string& options,
                                              const std::string& folder) {
  return OutsideCommandLine(program, options, folder);
}

}  // namespace zelmora::packaging
