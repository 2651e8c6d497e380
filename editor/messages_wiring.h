#pragma once

#include "editor/wiring_context.h"
#include "simulator/start_point.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace zelmora::messages {
class MessageEditor;
class frmMessages;
}  // namespace zelmora::messages

namespace zelmora::messages {
class PlanetScript;
}  // namespace zelmora::messages

namespace zelmora::check {
struct Finding;
}  // namespace zelmora::check

namespace zelmora::writing {
struct TextValue;
}  // namespace zelmora::writing

namespace zelmora::editor {

// The message editor and the windows behind it: the room editor with its advanced options, lock
// dialog and adventure map, the wizard, the flag chooser, the issues list and the script map. Built when the
// message editor first opens; each window behind it when it is first opened.
class MessagesWiring {
 public:
  // What the message editor opens in other subsystems.
  struct Outside {
    // The ship-system chooser opened on `current` (0..8); the chosen system.
    std::function<int(int current)> chooseShipSystem;
    // The test of planet `planet`.
    std::function<void(int planet)> test;
    // The test of planet `planet` that starts at a group.
    std::function<void(int planet, const simulator::StartPoint& from)> testFrom;
    // Told of each window built that holds text boxes (the message editor, the room editor), so
    // that their spelling is marked.
    std::function<void(QWidget& window)> built;
    // The spelling notes of a planet's prose, for the issues list (on the window's thread).
    std::function<std::vector<check::Finding>(const messages::PlanetScript& script)> spelling;
    // The folders whose recorded tests say which items were played; read away from the window's
    // thread, so it must be safe there.
    std::function<std::vector<std::filesystem::path>()> recordingFolders;
  };

  MessagesWiring(WiringContext context, Outside outside);
  ~MessagesWiring();

  // The message editor for planet `planet`, its custom box ticked or not; the box's state afterwards.
  bool Run(int planet, bool customTicked, const std::string& planetName);
  // The map of planet `planet`'s script, run modally; a group opened on it opens the message editor.
  void RunMap(int planet, const std::string& planetName);
  // The same, showing first what `first` chooses (an item found elsewhere).
  bool RunAt(int planet, bool customTicked, const std::string& planetName,
             const std::function<void(messages::MessageEditor&)>& first);
  // Drops every window with all it read from the script, so that the next opening reads the file
  // afresh: the open system changed, or was reverted to its saved version.
  void Forget();
  // An undo or redo wrote the script back: every window built shows the file again.
  void ScriptRestored();

  // The message editor once built, or null.
  messages::frmMessages* Editor() const;

 private:
  struct Windows;

  WiringContext context_;
  Outside outside_;
  std::unique_ptr<Windows> windows_;
};

// Shows the item a found text sits in (its group's list at the item, or the information text).
void GoToFoundText(messages::MessageEditor& editor, const writing::TextValue& value);

}  // namespace zelmora::editor
