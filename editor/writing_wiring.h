#pragma once

#include "check/finding.h"
#include "editor/lazy_window.h"
#include "editor/wiring_context.h"
#include "writing/script_texts.h"
#include "writing/spelling_service.h"

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace zelmora::writing {
class SpellingBinding;
class frmFindReplace;
class frmStatistics;
}  // namespace zelmora::writing

namespace zelmora::editor {

// The writing aids of our own in the main window: "Find and Replace..." (Ctrl+F, and Ctrl+H for the
// replacement), "Statistics..." and the "Spelling" choices in the Edit menu, and the spelling marked
// in the text boxes of the message and room editors.
class WritingWiring : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // Opens the item of a hit in the open system (the message editor at that item).
    std::function<void(const writing::TextValue& value)> open;
    // Told after a replace wrote the open system's script.
    std::function<void()> written;
  };

  // The author's word list is kept in `dataFolder`, by default the program's data folder.
  WritingWiring(WiringContext context, Hooks hooks, std::filesystem::path dataFolder = {});
  ~WritingWiring() override;

  void AddToMenu(QMenu* edit);
  // Marks the spelling in a window's text boxes (the message editor's text and title, the room
  // editor's description and action).
  void Decorate(QWidget& window);
  // The spelling notes of a planet's prose, or one note saying why there are none.
  std::vector<check::Finding> SpellingNotes(const messages::PlanetScript& script);
  // The open system changed: its names and the words known with them are read again.
  void SystemChanged();

  writing::SpellingService& Spelling() { return *spelling_; }
  writing::frmFindReplace& FindWindow();
  writing::frmStatistics& StatisticsWindow();

  QAction* mnuESep2;
  QAction* mnuEFind;
  QAction* mnuEReplace;
  QAction* mnuEStatistics;
  QMenu* mnuESpelling;
  QAction* mnuESpellCheck;

 private:
  void FillDictionaries();

  WiringContext c_;
  Hooks hooks_;
  std::unique_ptr<writing::SpellingService> spelling_;
  LazyWindow<writing::frmFindReplace> find_;
  LazyWindow<writing::frmStatistics> statistics_;
  QActionGroup* dictionaries_ = nullptr;
};

}  // namespace zelmora::editor
