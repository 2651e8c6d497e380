#pragma once

#include "ui/platform/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The paint and archive programs the editor waits for: the user's settings, and while a setting is
// absent the programs this platform has. The settings themselves are never written.
namespace zelmora::packaging {

// Looked for on the search path, in this order, while "Paint Program" is absent.
inline constexpr std::array<const char*, 4> kPaintPrograms = {"kolourpaint", "mtpaint", "pinta", "gimp"};
inline constexpr const char* kZipProgram = "/usr/bin/zip";
// A flat archive beside the folder: the package's files at its top, entries of files that are no
// longer in the folder dropped from an older archive of the same name.
inline constexpr const char* kZipOptions = "-q -j -r -FS \"%1.zip\" \"%1\"";

struct OutsideProgram {
  std::string program;    // the file to run, as command-line (code-page) text; empty when not found
  std::string options;    // with "%1" for the file or folder it works on
  std::string lookedFor;  // what the message about a missing program names
  bool Found() const { return !program.empty(); }
};

// A stored program is used as stored: a path, or a bare name found on the search path.
OutsideProgram PaintProgram(const platform::SettingsStore& settings, std::string_view searchPath);
OutsideProgram ZipProgram(const platform::SettingsStore& settings, std::string_view searchPath);

// The options with every "%1" replaced by `file`, in one pass: a file name that itself holds "%1"
// is put in once, not expanded for ever.
std::string ExpandPlaceholder(const std::string& options, const std::string& file);

// An outside program's command line for one file or folder. The options are taken apart into words
// first and "%1" is replaced inside each word, so the path always stays one argument whatever it
// holds ("\"", blanks, "-"); every word is then quoted as the runners split it. Nothing when the line
// would not split back into exactly these words.
std::optional<std::string> OutsideCommandLine(const std::string& program, const std::string& options,
                                              const std::string& file);

// The archive program's command line for the package folder (OutsideCommandLine).
std::optional<std::string> ArchiveCommandLine(const std::string& program, const std::string& options,
                                              const std::string& folder);

}  // namespace zelmora::packaging
