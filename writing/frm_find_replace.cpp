#include "writing/frm_find_replace.h"

#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTreeWidget>

namespace zelmora::writing {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 12000;
constexpr int kHeight = 7200;
constexpr int kLabelWidth = 1200;
constexpr int kBoxLeft = 120 + kLabelWidth;
constexpr int kBoxWidth = 6000;
constexpr int kButtonLeft = kWidth - 1560;
constexpr int kButtonWidth = 1440;

}  // namespace

frmFindReplace::frmFindReplace(FindReplaceContext context, platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  qt::SetUpFixedDialog(this, "frmFindReplace", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Find and Replace"));
  setModal(false);

  lblFind = Make<QLabel>(this, "lblFind", "Fi&nd what:");
  PlaceTwips(lblFind, 120, 150, kLabelWidth, 255);
  txtFind = Make<QLineEdit>(this, "txtFind");
  lblFind->setBuddy(txtFind);
  PlaceTwips(txtFind, kBoxLeft, 120, kBoxWidth, 315);
  lblReplace = Make<QLabel>(this, "lblReplace", "Rep&lace with:");
  PlaceTwips(lblReplace, 120, 540, kLabelWidth, 255);
  txtReplace = Make<QLineEdit>(this, "txtReplace");
  lblReplace->setBuddy(txtReplace);
  PlaceTwips(txtReplace, kBoxLeft, 510, kBoxWidth, 315);

  chkCase = Make<QCheckBox>(this, "chkCase", "&Match case");
  PlaceTwips(chkCase, kBoxLeft, 930, 1800, 255);
  chkWord = Make<QCheckBox>(this, "chkWord", "&Whole words");
  PlaceTwips(chkWord, kBoxLeft + 1920, 930, 1800, 255);
  chkRegex = Make<QCheckBox>(this, "chkRegex", "Regular e&xpression");
  PlaceTwips(chkRegex, kBoxLeft + 3840, 930, 2160, 255);

  fraScope = Make<QGroupBox>(this, "fraScope");
  fraScope->setTitle(QStringLiteral("Search in"));
  PlaceTwips(fraScope, kBoxLeft + kBoxWidth + 120, 60, kButtonLeft - kBoxLeft - kBoxWidth - 240, 1140);
  auto* scopes = new QButtonGroup(this);
  constexpr std::array<const char*, 3> kScopes = {"This &planet", "This &system", "The &game folder"};
  for (int i = 0; i < 3; ++i) {
    auto*& opt = optScope[static_cast<std::size_t>(i)];
    opt = Make<QRadioButton>(fraScope, qt::IndexedName("optScope", i).c_str(), kScopes[static_cast<std::size_t>(i)]);
    PlaceTwips(opt, 120, 240 + 285 * i, 2400, 255);
    scopes->addButton(opt, i);
  }

  cmdFind = Make<QPushButton>(this, "cmdFind", "&Find");
  PlaceTwips(cmdFind, kButtonLeft, 120, kButtonWidth, 375);
  cmdReplace = Make<QPushButton>(this, "cmdReplace", "&Replace");
  PlaceTwips(cmdReplace, kButtonLeft, 540, kButtonWidth, 375);
  cmdReplaceAll = Make<QPushButton>(this, "cmdReplaceAll", "Replace &All");
  PlaceTwips(cmdReplaceAll, kButtonLeft, 960, kButtonWidth, 375);

  lvwHits = Make<QTreeWidget>(this, "lvwHits");
  lvwHits->setRootIsDecorated(false);
  lvwHits->setHeaderLabels({QStringLiteral("System"), QStringLiteral("Planet"), QStringLiteral("Group"),
                            QStringLiteral("Key"), QStringLiteral("Found in"), QStringLiteral("Becomes")});
  lvwHits->setColumnWidth(0, qt::TwipsToPixels(1320));
  lvwHits->setColumnWidth(1, qt::TwipsToPixels(600));
  lvwHits->setColumnWidth(2, qt::TwipsToPixels(1200));
  lvwHits->setColumnWidth(3, qt::TwipsToPixels(1500));
  lvwHits->setColumnWidth(4, qt::TwipsToPixels(3600));
  lvwHits->header()->setStretchLastSection(true);
  PlaceTwips(lvwHits, 120, 1380, kWidth - 240, 3780);

  lblBefore = Make<QLabel>(this, "lblBefore", "Value:");
  PlaceTwips(lblBefore, 120, 5310, kLabelWidth, 255);
  txtBefore = Make<QLineEdit>(this, "txtBefore");
  txtBefore->setReadOnly(true);
  PlaceTwips(txtBefore, kBoxLeft, 5280, kWidth - kBoxLeft - 120, 315);
  lblAfter = Make<QLabel>(this, "lblAfter", "Becomes:");
  PlaceTwips(lblAfter, 120, 5700, kLabelWidth, 255);
  txtAfter = Make<QLineEdit>(this, "txtAfter");
  txtAfter->setReadOnly(true);
  PlaceTwips(txtAfter, kBoxLeft, 5670, kWidth - kBoxLeft - 120, 315);
  lblProblem = Make<QLabel>(this, "lblProblem");
  lblProblem->setWordWrap(true);
  QPalette red = lblProblem->palette();
  red.setColor(QPalette::WindowText, qt::PaletteColour(12));
  lblProblem->setPalette(red);
  PlaceTwips(lblProblem, kBoxLeft, 6030, kWidth - kBoxLeft - 120, 420);

  lblStatus = Make<QLabel>(this, "lblStatus");
  lblStatus->setWordWrap(true);
  PlaceTwips(lblStatus, 120, kHeight - 540, kButtonLeft - 240, 420);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kButtonLeft, kHeight - 495, kButtonWidth, 375);
  for (QPushButton* b : {cmdReplace, cmdReplaceAll, cmdClose}) b->setAutoDefault(false);
  cmdFind->setDefault(true);

  FindReplaceView& view = *this;
  model_ = std::make_unique<FindReplace>(std::move(context), view);

  connect(cmdFind, &QPushButton::clicked, this, &frmFindReplace::Search);
  connect(txtFind, &QLineEdit::returnPressed, this, &frmFindReplace::Search);
  connect(txtReplace, &QLineEdit::textEdited, this, [this] {
    // Followed as typed while the code page holds it; a refusal waits for a command.
    const auto checked = qt::ToCp1252Checked(txtReplace->text());
    if (checked.ok()) model_->SetReplacement(checked.bytes);
  });
  connect(cmdReplace, &QPushButton::clicked, this, [this] {
    if (const auto replacement = Typed(txtReplace)) {
      model_->SetReplacement(*replacement);
      model_->ReplaceSelected();
    }
  });
  connect(cmdReplaceAll, &QPushButton::clicked, this, [this] {
    if (const auto replacement = Typed(txtReplace)) {
      model_->SetReplacement(*replacement);
      model_->ReplaceAll();
    }
  });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
  connect(scopes, &QButtonGroup::idClicked, this, [this](int id) {
    if (updating_ == 0) model_->SetScope(static_cast<SearchScope>(id));
  });
  connect(lvwHits, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (updating_ > 0) return;
    const int row = item ? lvwHits->indexOfTopLevelItem(item) : -1;
    model_->Select(row >= 0 ? std::optional<int>(row) : std::nullopt);
  });
  connect(lvwHits, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { model_->Open(lvwHits->indexOfTopLevelItem(item)); });
  auto* findKey = new QShortcut(QKeySequence::Find, this);
  connect(findKey, &QShortcut::activated, this, [this] {
    txtFind->setFocus();
    txtFind->selectAll();
  });
  auto* replaceKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
  connect(replaceKey, &QShortcut::activated, this, [this] {
    txtReplace->setFocus();
    txtReplace->selectAll();
  });
}

frmFindReplace::~frmFindReplace() {
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void frmFindReplace::ShowFor(int planet, bool replacing) {
  model_->SetPlanet(planet);
  show();
  raise();
  activateWindow();
  QLineEdit* box = replacing ? txtReplace : txtFind;
  box->setFocus();
  box->selectAll();
}

std::optional<std::string> frmFindReplace::Typed(QLineEdit* box) { return qt::TypedCp1252(box->text(), prompter_); }

void frmFindReplace::TakeOptions() {
  model_->SetOptions(chkRegex->isChecked(), chkCase->isChecked(), chkWord->isChecked());
}

void frmFindReplace::Search() {
  const auto pattern = Typed(txtFind);
  if (!pattern) return;
  const auto replacement = Typed(txtReplace);
  if (!replacement) return;
  TakeOptions();
  model_->SetPattern(*pattern);
  model_->SetReplacement(*replacement);
  model_->Find();
}

void frmFindReplace::ShowHits(const std::vector<HitLine>& lines) {
  qt::Updating guard(updating_);
  lvwHits->clear();
  QList<QTreeWidgetItem*> items;
  for (const HitLine& line : lines) {
    auto* item = new QTreeWidgetItem(QStringList{FromCp1252(line.system), FromCp1252(line.planet), FromCp1252(line.group),
                                                 FromCp1252(line.key), FromCp1252(line.found), FromCp1252(line.becomes)});
    for (int column = 4; column <= 5; ++column) item->setToolTip(column, item->text(column));
    items.push_back(item);
  }
  lvwHits->addTopLevelItems(items);
}

void frmFindReplace::ShowSelection(std::optional<int> row) {
  qt::Updating guard(updating_);
  QTreeWidgetItem* item = row ? lvwHits->topLevelItem(*row) : nullptr;
  lvwHits->setCurrentItem(item);
  if (item) lvwHits->scrollToItem(item);
}

void frmFindReplace::ShowPreview(const std::string& before, const std::string& after, const std::string& problem) {
  txtBefore->setText(FromCp1252(before));
  txtBefore->setCursorPosition(0);
  txtAfter->setText(problem.empty() ? FromCp1252(after) : QString());
  txtAfter->setCursorPosition(0);
  lblProblem->setText(problem.empty() ? QString() : QStringLiteral("Refused: ") + FromCp1252(problem));
}

void frmFindReplace::ShowStatus(const std::string& status) { lblStatus->setText(FromCp1252(status)); }

void frmFindReplace::ShowScopes(bool planet, bool system, SearchScope scope) {
  qt::Updating guard(updating_);
  optScope[0]->setEnabled(planet);
  optScope[1]->setEnabled(system);
  optScope[static_cast<std::size_t>(scope)]->setChecked(true);
}

void frmFindReplace::ShowCommands(bool replace, bool replaceAll) {
  cmdReplace->setEnabled(replace);
  cmdReplaceAll->setEnabled(replaceAll);
}

}  // namespace zelmora::writing
