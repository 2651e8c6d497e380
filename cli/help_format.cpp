#include "cli/help_format.h"

#include <map>
#include <sstream>

namespace zelmora::cli {

namespace {

constexpr std::size_t kWidth = 79;

// What status 1 means for a command, where it means more than a failure.
const std::map<std::string, std::string>& StatusOne() {
  static const std::map<std::string, std::string> texts{
      {"zmd", "the command failed (check: errors were found; install: some listed files were not installed; "
              "play --check: the transcript differs)"},
      {"zmd check", "errors were found"},
      {"zmd find", "nothing was found"},
      {"zmd install", "some listed files could not be installed"},
      {"zmd play", "the command failed, or with --check the transcript differs from the recording"},
      {"zmd package", "the package cannot be made, or the archive was not made"},
  };
  return texts;
}

std::string CommandPath(const CLI::App* app) {
  std::string path = app->get_name();
  for (const CLI::App* p = app->get_parent(); p; p = p->get_parent()) path = p->get_name() + " " + path;
  return path;
}

// `text` wrapped to the width, each line after the first starting at `indent`.
std::string Wrap(const std::string& text, std::size_t indent, std::size_t firstColumn) {
  std::istringstream words(text);
  std::string out, word;
  std::size_t column = firstColumn;
  bool first = true;
  while (words >> word) {
    if (!first && column + 1 + word.size() > kWidth) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (!first) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    first = false;
  }
  return out;
}

// A two-column entry: the name padded to `column`, its text wrapped beside it.
std::string Entry(const std::string& name, const std::string& text, std::size_t column) {
  std::string line = name;
  if (text.empty()) return line + "\n";
  if (line.size() + 2 > column) {
    line += "\n" + std::string(column, ' ');
  } else {
    line += std::string(column - line.size(), ' ');
  }
  return line + Wrap(text, column, column) + "\n";
}

// The parser's own type names, also with a check after them ("UINT:POSITIVE").
bool IsGenericType(std::string type) {
  type = type.substr(0, type.find(':'));
  return type == "TEXT" || type == "INT" || type == "UINT" || type == "FLOAT" || type == "NUMBER";
}

// The value's name: the option's own, or its long name in capitals ("--last-visit" -> LAST_VISIT).
std::string ValueName(const CLI::Option* opt) {
  std::string type = opt->get_type_name();
  if (!IsGenericType(type) || opt->get_lnames().empty()) return type;
  std::string name;
  for (char c : opt->get_lnames().front()) name += c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string OptionNames(const CLI::Option* opt) {
  std::string names;
  for (const auto& s : opt->get_snames()) names += (names.empty() ? "-" : ", -") + s;
  names = names.empty() ? "    " : names + ", ";
  bool firstLong = true;
  for (const auto& l : opt->get_lnames()) {
    names += (firstLong ? "--" : ", --") + l;
    firstLong = false;
  }
  // A flag has no type to show.
  if (!opt->get_type_name().empty()) names += "=" + ValueName(opt);
  return names;
}

std::string OptionText(const CLI::Option* opt) {
  std::string text = opt->get_description();
  auto excludes = opt->get_excludes();
  if (!excludes.empty()) {
    std::string names;
    for (const auto* other : excludes) names += (names.empty() ? "" : ", ") + other->get_name();
    text += " (not with " + names + ")";
  }
  return text;
}

class ToolFormatter : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
    auto* self = const_cast<CLI::App*>(app);
    const auto commands = self->get_subcommands([](CLI::App* sub) { return !sub->get_name().empty(); });
    const auto positionals = app->get_options([](const CLI::Option* o) { return o->get_positional(); });
    const auto options = app->get_options([](const CLI::Option* o) { return o->nonpositional(); });
    const std::string path = CommandPath(app);

    std::string usage = "Usage: " + path;
    if (!options.empty()) usage += " [OPTION]...";
    if (!commands.empty()) usage += " COMMAND [ARG]...";
    for (const auto* p : positionals) {
      std::string name = p->get_name(true);
      if (p->get_expected_max() > 1) name += "...";
      usage += p->get_required() ? " " + name : " [" + name + "]";
    }
    std::string out = usage + "\n";
    if (!app->get_description().empty()) {
      std::string description = app->get_description();
      description[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(description[0])));
      out += Wrap(description + (description.back() == '.' ? "" : "."), 0, 0) + "\n";
    }
    if (!commands.empty()) {
      out += "\nCommands:\n";
      for (const auto* sub : commands) out += Entry("  " + sub->get_name(), sub->get_description(), 16);
    }
    bool describedArguments = false;
    for (const auto* p : positionals) describedArguments = describedArguments || !p->get_description().empty();
    if (describedArguments) {
      out += "\nArguments:\n";
      for (const auto* p : positionals) out += Entry("  " + p->get_name(true), p->get_description(), 24);
    }
    if (!options.empty()) {
      out += "\nOptions:\n";
      for (const auto* o : options) {
        std::string text = OptionText(o);
        if (o == app->get_help_ptr()) text = "display this help and exit";
        if (o == app->get_version_ptr()) text = "output version information and exit";
        out += Entry("  " + OptionNames(o), text, 24);
      }
    }
    if (!commands.empty()) out += "\nRun '" + path + " COMMAND --help' for the arguments and options of one command.\n";
    if (!app->get_footer().empty()) out += "\n" + app->get_footer() + "\n";
    out += "\nExit status:\n";
    out += Entry("  0", "success", 5);
    auto one = StatusOne().find(path);
    out += Entry("  1", one != StatusOne().end() ? one->second : "the command failed", 5);
    out += Entry("  2", "a bad command line, a missing folder or file, an unknown system, text the game's "
                        "code page cannot hold, or a change that was refused", 5);
    return out;
  }
};

void UseFormatter(CLI::App& app, const std::shared_ptr<CLI::FormatterBase>& formatter) {
  app.formatter(formatter);
  for (auto* sub : app.get_subcommands([](CLI::App*) { return true; })) UseFormatter(*sub, formatter);
}

}  // namespace

void UseToolHelp(CLI::App& app, const std::string& version) {
  app.name("zmd");
  app.set_version_flag("--version", "zmd (Zelmora) " + version);
  UseFormatter(app, std::make_shared<ToolFormatter>());
}

}  // namespace zelmora::cli
