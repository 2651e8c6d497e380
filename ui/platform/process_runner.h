#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelmora::platform {

// How a started program is asked to show its main window. Default leaves it to the program.
enum class WindowState { Default, Normal, Minimised };

// Starts outside programs from a command line (Windows-1252 bytes): words separated by blanks, a
// word with blanks in double quotes, a double quote inside a quoted word written as three.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Returns at once; false when the program could not be started.
  virtual bool Start(const std::string& commandLine, WindowState state) = 0;
  // Waits without time limit until the program ends; false (at once) when it could not start.
  virtual bool StartAndWait(const std::string& commandLine, WindowState state) = 0;
};

// One word of a command line, quoted when it holds anything a splitter would take apart: blanks of
// the code page or double quotes.
std::string QuoteCommandWord(std::string_view word);

// The words of a command line, split as the runners split it: blanks separate words, double
// quotes group, three double quotes in a row stand for one.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace zelmora::platform
