#include "editor/frm_issues.h"

#include "editor/script_worker_binding.h"

#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"
#include "ui/qt/wrapped_rows.h"

#include <QCheckBox>
#include <QEvent>

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace zelmora::check {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 12000;
constexpr int kHeight = 5400;

QStyle::StandardPixmap IconOf(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return QStyle::SP_MessageBoxCritical;
    case Severity::Warning:
      return QStyle::SP_MessageBoxWarning;
    case Severity::Note:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

}  // namespace

frmIssues::frmIssues(const messages::PlanetScript& script, const messages::SpecialActionList& catalogue,
                     QWidget* parent)
    : QDialog(parent), script_(script), catalogue_(catalogue), worker_(new editor::ScriptWorker(script, this)) {
  qt::SetUpFixedDialog(this, "frmIssues", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Script Issues"));
  setModal(false);
  options_.measureTwips = [metrics = QFontMetrics(qt::DialogFont())](std::string_view text) {
    return qt::PixelsToTwips(metrics.horizontalAdvance(FromCp1252(text)));
  };

  lblSummary = Make<QLabel>(this, "lblSummary");
  lblSummary->setWordWrap(true);
  PlaceTwips(lblSummary, 120, 90, kWidth - 240, 390);
  lvwIssues = Make<QTreeWidget>(this, "lvwIssues");
  lvwIssues->setRootIsDecorated(false);
  // A long problem wraps within its column instead of being cut.
  lvwIssues->setUniformRowHeights(false);
  lvwIssues->setWordWrap(true);
  lvwIssues->setTextElideMode(Qt::ElideNone);
  lvwIssues->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Where"), QStringLiteral("Problem")});
  lvwIssues->header()->setStretchLastSection(true);
  lvwIssues->setColumnWidth(0, qt::TwipsToPixels(1080));
  lvwIssues->setColumnWidth(1, qt::TwipsToPixels(2850));
  PlaceTwips(lvwIssues, 120, 540, kWidth - 240, kHeight - 1140);
  lvwIssues->viewport()->installEventFilter(this);
  cmdRefresh = Make<QPushButton>(this, "cmdRefresh", "&Refresh");
  PlaceTwips(cmdRefresh, kWidth - 2520, kHeight - 495, 1140, 375);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kWidth - 1260, kHeight - 495, 1140, 375);
  for (QPushButton* b : {cmdRefresh, cmdClose}) b->setAutoDefault(false);
  chkSpelling = Make<QCheckBox>(this, "chkSpelling", "Show &spelling");
  chkSpelling->setToolTip(QStringLiteral("Lists the words the dictionary does not know as notes"));
  PlaceTwips(chkSpelling, 120, kHeight - 435, 2400, 255);
  chkUntested = Make<QCheckBox>(this, "chkUntested", "Show items no &test played");
  chkUntested->setToolTip(QStringLiteral(
      "Lists as notes the messages, responses and rooms that none of this planet's recorded tests played"));
  PlaceTwips(chkUntested, 2640, kHeight - 435, 3600, 255);
  for (QCheckBox* box : {chkSpelling, chkUntested}) {
    box->hide();
    connect(box, &QCheckBox::clicked, this, [this] {
      if (switched_) switched_();
      Refresh();
    });
  }

  connect(cmdRefresh, &QPushButton::clicked, this, &frmIssues::Refresh);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
  connect(lvwIssues, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const int row = lvwIssues->indexOfTopLevelItem(item);
    if (open_ && row >= 0 && row < static_cast<int>(list_.Rows().size())) {
      open_(list_.Rows()[static_cast<std::size_t>(row)].finding);
    }
  });
}

void frmIssues::SetSpelling(Notes spelling) {
  spelling_ = std::move(spelling);
  chkSpelling->setVisible(static_cast<bool>(spelling_));
}

void frmIssues::SetUntested(Notes untested) {
  untested_ = std::move(untested);
  chkUntested->setVisible(static_cast<bool>(untested_));
}

void frmIssues::ShowFor(const std::string& planetName) {
  setWindowTitle(QStringLiteral("Script Issues - ") + FromCp1252(planetName));
  show();
  raise();
  Refresh();
}

frmIssues::~frmIssues() = default;

bool frmIssues::Checking() const { return worker_->Running(); }

void frmIssues::Refresh() {
  if (!isVisible()) return;
  lblSummary->setText(QStringLiteral("checking..."));
  const Notes untested = untested_ && chkUntested->isChecked() ? untested_ : nullptr;
  worker_->Start([this, catalogue = catalogue_, options = options_, untested](const messages::PlanetScript& copy) {
    auto found = std::make_shared<IssuesList>();
    found->Refresh(copy, catalogue, options);
    if (untested) found->AddNotes(untested(copy));
    return [this, found] {
      if (spelling_ && chkSpelling->isChecked()) found->AddNotes(spelling_(script_));
      list_ = std::move(*found);
      Fill();
    };
  });
}

void frmIssues::WaitForCheck() { worker_->Wait(); }

void frmIssues::Fill() {
  lblSummary->setText(FromCp1252(list_.Summary()));
  lvwIssues->clear();
  QList<QTreeWidgetItem*> items;
  for (const auto& row : list_.Rows()) {
    auto* item = new QTreeWidgetItem(
        QStringList{FromCp1252(row.severity), FromCp1252(row.where), FromCp1252(row.message)});
    item->setIcon(0, style()->standardIcon(IconOf(row.finding.severity)));
    QString tip = FromCp1252(row.message);
    if (!row.fix.empty()) tip += QStringLiteral("\n") + FromCp1252(row.fix);
    for (int c = 0; c < 3; ++c) item->setToolTip(c, tip);
    items.append(item);
  }
  lvwIssues->addTopLevelItems(items);
  qt::FitWrappedRows(lvwIssues, 2);
}

bool frmIssues::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lvwIssues->viewport() && event->type() == QEvent::Resize) qt::FitWrappedRows(lvwIssues, 2);
  return QDialog::eventFilter(watched, event);
}

}  // namespace zelmora::check
