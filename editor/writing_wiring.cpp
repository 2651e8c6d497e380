#include "editor/writing_wiring.h"

#include "messages/special_actions.h"
#include "ui/qt/code_page.h"
#include "writing/frm_find_replace.h"
#include "writing/frm_statistics.h"
#include "writing/hunspell_dictionary.h"
#include "writing/spelling_binding.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QWidget>

namespace zelmora::editor {

namespace {

std::filesystem::path WordsFile(std::filesystem::path folder) {
  if (folder.empty()) {
    folder = std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdU16String());
  }
  return folder / "words.txt";
}

}  // namespace

WritingWiring::WritingWiring(WiringContext context, Hooks hooks, std::filesystem::path dataFolder)
    : c_(context),
      hooks_(std::move(hooks)),
      spelling_(std::make_unique<writing::SpellingService>(
          c_.settings, c_.store.GameFolder(), WordsFile(std::move(dataFolder)),
          [](const std::string& name) -> std::unique_ptr<writing::Dictionary> {
            return writing::HunspellDictionary::OpenInstalled(name);
          })),
      find_([this] {
        return std::make_unique<writing::frmFindReplace>(
            writing::FindReplaceContext{c_.store, c_.record, messages::LoadSpecialActions(c_.store.GameFolder()),
                                        hooks_.open, hooks_.written},
            c_.prompter, &c_.parent);
      }),
      statistics_([this] { return std::make_unique<writing::frmStatistics>(c_.store, c_.record, &c_.parent); }) {}

WritingWiring::~WritingWiring() = default;

writing::frmFindReplace& WritingWiring::FindWindow() { return *find_; }
writing::frmStatistics& WritingWiring::StatisticsWindow() { return *statistics_; }

void WritingWiring::AddToMenu(QMenu* edit) {
  mnuESep2 = edit->addSeparator();
  mnuESep2->setObjectName(QStringLiteral("mnuESep2"));
  mnuEFind = edit->addAction(QStringLiteral("&Find and Replace..."));
  mnuEFind->setObjectName(QStringLiteral("mnuEFind"));
  mnuEFind->setShortcut(QKeySequence::Find);
  connect(mnuEFind, &QAction::triggered, this, [this] { find_->ShowFor(0); });
  mnuEReplace = edit->addAction(QStringLiteral("R&eplace..."));
  mnuEReplace->setObjectName(QStringLiteral("mnuEReplace"));
  mnuEReplace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  connect(mnuEReplace, &QAction::triggered, this, [this] { find_->ShowFor(0, true); });
  mnuEStatistics = edit->addAction(QStringLiteral("S&tatistics..."));
  mnuEStatistics->setObjectName(QStringLiteral("mnuEStatistics"));
  connect(mnuEStatistics, &QAction::triggered, this, [this] { statistics_->ShowStatistics(); });

  mnuESpelling = edit->addMenu(QStringLiteral("&Spelling"));
  mnuESpelling->setObjectName(QStringLiteral("mnuESpelling"));
  mnuESpellCheck = mnuESpelling->addAction(QStringLiteral("&Mark Misspelt Words"));
  mnuESpellCheck->setObjectName(QStringLiteral("mnuESpellCheck"));
  mnuESpellCheck->setCheckable(true);
  mnuESpellCheck->setChecked(spelling_->Enabled());
  connect(mnuESpellCheck, &QAction::toggled, this, [this](bool on) { spelling_->SetEnabled(on); });
  mnuESpelling->addSeparator();
  dictionaries_ = new QActionGroup(this);
  // The dictionaries are looked for when the menu first opens.
  connect(mnuESpelling, &QMenu::aboutToShow, this, &WritingWiring::FillDictionaries);
}

void WritingWiring::FillDictionaries() {
  if (!dictionaries_->actions().isEmpty()) return;
  const std::vector<writing::DictionaryFiles> installed = writing::InstalledDictionaries();
  const std::string chosen = spelling_->DictionaryName();
  for (const auto& files : installed) {
    QAction* action = mnuESpelling->addAction(qt::FromCp1252(files.name));
    action->setObjectName(QStringLiteral("mnuEDictionary"));
    action->setCheckable(true);
    action->setChecked(files.name == chosen);
    dictionaries_->addAction(action);
    connect(action, &QAction::triggered, this, [this, name = files.name] { spelling_->ChooseDictionary(name); });
  }
  if (installed.empty()) {
    QAction* none = mnuESpelling->addAction(QStringLiteral("(No Hunspell dictionary is installed)"));
    none->setEnabled(false);
    dictionaries_->addAction(none);
  }
}

void WritingWiring::Decorate(QWidget& window) {
  auto bind = [&](QWidget* box, writing::BoxKind kind) {
    // Each binding belongs to its box and goes with it.
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
      new writing::SpellingBinding(plain, *spelling_, kind);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
      new writing::SpellingBinding(line, *spelling_, kind);
    }
  };
  const bool room = window.objectName() == QStringLiteral("frmEditRoom");
  bind(window.findChild<QWidget*>(QStringLiteral("txtMessage")),
       room ? writing::BoxKind::RoomDescription : writing::BoxKind::Text);
  if (room) {
    bind(window.findChild<QWidget*>(QStringLiteral("txtResponse")), writing::BoxKind::RoomAction);
  } else {
    bind(window.findChild<QWidget*>(QStringLiteral("txtDisplay")), writing::BoxKind::Text);
  }
}

void WritingWiring::SystemChanged() { spelling_->GameChanged(); }

std::vector<check::Finding> WritingWiring::SpellingNotes(const messages::PlanetScript& script) {
  if (writing::Speller* speller = spelling_->Open()) return writing::SpellingFindings(script, *speller);
  check::Finding none;
  none.severity = check::Severity::Note;
  none.kind = check::FindingKind::Spelling;
  none.system = script.Record().Name;
  none.planet = script.Planet();
  none.message = "Spelling is not checked: no Hunspell dictionary named \"" + spelling_->DictionaryName() +
                 "\" is installed.";
  none.fix = "Install one (the hunspell-en-us package, for instance) and choose it under Edit > Spelling.";
  return {none};
}

}  // namespace zelmora::editor
