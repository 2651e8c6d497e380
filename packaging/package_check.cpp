#include "packaging/package_check.h"

#include "store/text_lines.h"
#include "ui/platform/file_rules.h"
#include "ui/platform/text_rules.h"

#include <map>

namespace zelmora::packaging {

namespace {

// The comma-separated fields of a block line after its ";", the quoted star name kept whole.
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t pos = 1;
  while (pos <= line.size()) {
    std::size_t end;
    if (pos < line.size() && line[pos] == '"') {
      std::size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) return {};  // an unclosed name: nothing reads right
      end = line.find(',', close);
    } else {
      end = line.find(',', pos);
    }
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(platform::TrimBlanks(line.substr(pos, end - pos)));
    pos = end + 1;
  }
  return fields;
}

std::optional<long> WholeNumber(const std::string& field) {
  std::size_t i = field.starts_with('-') ? 1 : 0;
  if (i == field.size() || field.size() > 11) return std::nullopt;
  for (std::size_t k = i; k < field.size(); ++k) {
    if (field[k] < '0' || field[k] > '9') return std::nullopt;
  }
  return std::stol(field);
}

bool AllNumbers(const std::vector<std::string>& fields, std::size_t from) {
  for (std::size_t i = from; i < fields.size(); ++i) {
    if (!WholeNumber(fields[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> SystemBlockProblem(std::string_view descriptor) {
  auto lines = store::SplitLines(descriptor);
  std::size_t i = 0;
  // The store reads the block after the first line that names it.
  while (i < lines.size() && lines[i].text.find("SolarSystem") == std::string_view::npos) ++i;
  if (i == lines.size()) return "it has no system block";
  ++i;
  if (i == lines.size() || !lines[i].text.starts_with(';')) return "the star's line is missing";
  auto header = Fields(lines[i].text);
  if (header.size() != 3 || !header[0].starts_with('"') || !AllNumbers(header, 1)) {
    return "the star's line is not a quoted name, a star type and a planet count";
  }
  const long type = *WholeNumber(header[1]);
  const long count = *WholeNumber(header[2]);
  if (type < 0 || type > 7) return "the star type " + header[1] + " is not one of the eight types";
  if (count < 0 || count > store::kMaxPlanets) return "the planet count " + header[2] + " is not between 0 and 10";
  for (long n = 1; n <= count; ++n) {
    ++i;
    const std::string planet = "planet " + std::to_string(n);
    if (i == lines.size() || !lines[i].text.starts_with(';')) return "the line of " + planet + " is missing";
    auto fields = Fields(lines[i].text);
    if (fields.size() != 6 || !AllNumbers(fields, 0)) return "the line of " + planet + " is not six whole numbers";
  }
  return std::nullopt;
}

std::vector<std::string> PackageProblems(const std::vector<PackageFile>& files) {
  std::vector<std::string> problems;
  std::map<std::string, std::string> byUpperName;
  for (const auto& file : files) {
    const bool installer = file.target.empty();
    const bool descriptor = file.target == kDescriptorTarget;
    const std::string ownName = installer ? std::string(kInstallerInGame) : file.name;
    // A link may lead to any file of this machine; only the file itself is shipped.
    if (platform::IsLink(file.source)) {
      problems.push_back("'" + ownName + "' is a link; a package takes only the files themselves.");
      continue;
    }
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file.source, ec)) && !platform::FileExists(file.source)) {
      problems.push_back("'" + ownName + "' is not a regular file.");
      continue;
    }
    if (!platform::FileExists(file.source)) {
      problems.push_back(installer ? std::string("The installer '") + kInstallerInGame + "' is not in the game folder."
                                   : "'" + file.name + "' is missing.");
      continue;
    }
    if (installer) continue;
    // The copy is written under a scratch name first, which must fit as well.
    if (auto problem = platform::FileNameProblem(file.name, file.source.parent_path(),
                                                 {std::string(platform::kScratchNameExtra, '.')})) {
      problems.push_back("The name '" + file.name + "' cannot be installed on another machine.  " + *problem);
    }
    // Windows folders do not tell the two apart: one would overwrite the other.
    auto [it, added] = byUpperName.emplace(platform::ToUpper1252(file.name), file.name);
    if (!added) {
      problems.push_back("'" + it->second + "' and '" + file.name +
                         "' differ only in the case of their letters; another machine can hold only one.");
    }
    if (!descriptor) continue;
    std::string bytes;
    if (platform::ReadRegularFile(file.source, bytes, static_cast<std::uintmax_t>(-1)) != platform::ReadRefusal::None) {
      problems.push_back("The descriptor '" + file.name + "' cannot be read.");
    } else if (auto damage = SystemBlockProblem(bytes)) {
      problems.push_back("The descriptor '" + file.name + "' is damaged: " + *damage + ".");
    }
  }
  return problems;
}

}  // namespace zelmora::packaging
