#pragma once

#include "simulator/control_panel_view.h"
#include "simulator/test_options.h"
#include "ui/platform/number_asker.h"
#include "ui/platform/prompter.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zelmora::simulator {

// The transcript of a test: everything the panel, its boxes and the options show, one entry a
// line, in UTF-8. A terminal session and a test played in the window write the same entries, so a
// recording of either replays to the same text.
class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(&out) {}

  // "label: text" (text in the code page); the lines of a multi-line text line up under the first.
  void Print(const std::string& label, const std::string& text);
  // An input line as it was read (UTF-8): "> line".
  void Echo(const std::string& line);
  void Error(const std::string& text);

  // Entries go to `out` from now on; answers the stream they went to before.
  std::ostream& Redirect(std::ostream& out);

  bool failed = false;

 private:
  std::ostream* out_;
};

// The shortest decimal form of a number that reads back as the same value ("5", "2.5", "0.1").
std::string ShortNumber(double value);
std::string ShortNumber(float value);

// Who answers the questions of a test: the lines of a session, or a person at the windows.
class TestAnswers {
 public:
  virtual ~TestAnswers() = default;
  // A box with an OK button only: shown, nothing to answer.
  virtual void Box(const std::string& text, platform::Icon icon, const std::string& title) = 0;
  virtual platform::Answer Question(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                                    const std::string& title, int defaultButton) = 0;
  // minimum - 1 for a cancel.
  virtual float Number(const std::string& message, const std::string& title, const std::string& unit, float value,
                       float minimum, float maximum, float step) = 0;
  virtual std::optional<int> Response(const std::vector<ResponseOption>& options) = 0;
  // The answer a command line carried ("respond 2", "energy 1.5") for its first question.
  virtual void Preset(std::optional<std::string> answer) { (void)answer; }
};

// Writes what the panel and the options show into the transcript and passes it on to the windows
// that show it, when there are any; the response chooser is answered by the answers.
class TranscriptView : public ControlPanelView, public TestOptionsListener {
 public:
  TranscriptView(Transcript& transcript, TestAnswers& answers, ControlPanelView* window = nullptr,
                 TestOptionsListener* optionsWindow = nullptr)
      : t_(transcript), answers_(answers), window_(window), optionsWindow_(optionsWindow) {}

  void SetOrbitBanner(const std::string& caption, bool visible) override;
  void SetMessageTitle(const std::string& title) override;
  void SetMessageText(const std::string& text) override;
  void SetMessageVisible(bool visible) override;
  void SetCommandEnabled(PanelCommand command, bool enabled) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetMessageClock(bool running) override;
  std::optional<int> ChooseResponse(const std::vector<ResponseOption>& options) override;
  void FocusIdle() override;
  void ClosePanel() override;

  // The list entries say all that the labels do.
  void FlagLabelChanged(int flag, bool on) override;
  void FlagAdded(const FlagListEntry& entry) override;
  void FlagRemoved(const FlagListEntry& entry) override;
  void RetrofitCaptionChanged(const std::string& caption) override;

 private:
  Transcript& t_;
  TestAnswers& answers_;
  ControlPanelView* window_;
  TestOptionsListener* optionsWindow_;
};

// The boxes and questions of a test, written into the transcript and answered by the answers.
class TranscriptPrompter : public platform::Prompter {
 public:
  TranscriptPrompter(Transcript& transcript, TestAnswers& answers) : t_(transcript), answers_(answers) {}

  platform::Answer Message(const std::string& text, platform::Buttons buttons, platform::Icon icon,
                           const std::string& title, int defaultButton) override;
  // The simulator asks for no names or files.
  std::optional<std::string> Input(const std::string& prompt, const std::string&, const std::string&) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string&, const std::string&) override;
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string&) override;

 private:
  Transcript& t_;
  TestAnswers& answers_;
};

// The number questions of a test (energy extraction), likewise.
class TranscriptNumbers : public platform::NumberAsker {
 public:
  TranscriptNumbers(Transcript& transcript, TestAnswers& answers) : t_(transcript), answers_(answers) {}
  float AskNumber(const std::string& message, const std::string& title, const std::string& unit, float value,
                  float minimum, float maximum, float step) override;

 private:
  Transcript& t_;
  TestAnswers& answers_;
};

// How a transcript writes an answer, so that a recording reads it back as the same answer.
std::string AnswerWord(platform::Answer answer);
std::string NumberWord(float value, float minimum);
std::string ResponseWord(std::optional<int> choice);

}  // namespace zelmora::simulator
