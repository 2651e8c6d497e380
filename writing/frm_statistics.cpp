#include "writing/frm_statistics.h"

#include "messages/message_parts.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace zelmora::writing {

using qt::FromCp1252;
using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 10800;
constexpr int kHeight = 6600;

QString Number(int n) { return QString::number(n); }

}  // namespace

frmStatistics::frmStatistics(store::DescriptorStore& store, const store::SolarSystemRecord& record, QWidget* parent)
    : QDialog(parent), store_(store), record_(record) {
  qt::SetUpFixedDialog(this, "frmStatistics", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Statistics"));
  setModal(false);
  auto* scopes = new QButtonGroup(this);
  constexpr std::array<const char*, 2> kScopes = {"This &system", "The &game folder"};
  for (int i = 0; i < 2; ++i) {
    auto*& opt = optScope[static_cast<std::size_t>(i)];
    opt = Make<QRadioButton>(this, qt::IndexedName("optScope", i).c_str(), kScopes[static_cast<std::size_t>(i)]);
    PlaceTwips(opt, 120 + 2040 * i, 120, 1920, 255);
    scopes->addButton(opt, i);
  }
  lvwStatistics = Make<QTreeWidget>(this, "lvwStatistics");
  lvwStatistics->setHeaderLabels({QStringLiteral("System, planet, group"), QStringLiteral("Words"),
                                  QStringLiteral("Characters"), QStringLiteral("Messages"), QStringLiteral("Responses"),
                                  QStringLiteral("Longest value"), QStringLiteral("Widest response")});
  lvwStatistics->setColumnWidth(0, qt::TwipsToPixels(2520));
  for (int column = 1; column <= 4; ++column) lvwStatistics->setColumnWidth(column, qt::TwipsToPixels(900));
  lvwStatistics->setColumnWidth(5, qt::TwipsToPixels(2400));
  lvwStatistics->header()->setStretchLastSection(true);
  PlaceTwips(lvwStatistics, 120, 480, kWidth - 240, kHeight - 1500);
  lblTotal = Make<QLabel>(this, "lblTotal");
  lblTotal->setWordWrap(true);
  PlaceTwips(lblTotal, 120, kHeight - 960, kWidth - 2880, 420);
  cmdRefresh = Make<QPushButton>(this, "cmdRefresh", "&Refresh");
  PlaceTwips(cmdRefresh, kWidth - 2520, kHeight - 495, 1140, 375);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kWidth - 1260, kHeight - 495, 1140, 375);
  for (QPushButton* b : {cmdRefresh, cmdClose}) b->setAutoDefault(false);
  connect(cmdRefresh, &QPushButton::clicked, this, &frmStatistics::Refresh);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
  connect(scopes, &QButtonGroup::idClicked, this, [this] { Refresh(); });
}

void frmStatistics::ShowStatistics() {
  const bool open = store_.IsWorkingCopyOpen() && !record_.Name.empty();
  optScope[0]->setEnabled(open);
  if (!open || (!optScope[0]->isChecked() && !optScope[1]->isChecked())) optScope[open ? 0 : 1]->setChecked(true);
  Refresh();
  show();
  raise();
  activateWindow();
}

void frmStatistics::Refresh() {
  const QFontMetrics metrics(qt::DialogFont());
  rows_ = StatisticsRows(store_, record_, optScope[1]->isChecked(), [&metrics](std::string_view text) {
    return qt::PixelsToTwips(metrics.horizontalAdvance(FromCp1252(text)));
  });
  lvwStatistics->clear();
  std::array<QTreeWidgetItem*, 2> parents{};
  TextCounts total;
  const QColor red = qt::PaletteColour(12);
  for (const StatisticsRow& row : rows_) {
    const TextCounts& c = row.counts;
    QStringList columns{FromCp1252(row.name), Number(c.words), Number(c.characters), Number(c.messages),
                        Number(c.responses)};
    columns << (c.longestKey.empty() ? QString()
                                     : FromCp1252(c.longestKey) + QStringLiteral(" (") +
                                           QString::number(c.longestLength) + QStringLiteral(")"));
    columns << (c.widestKey.empty() ? QString()
                                    : FromCp1252(c.widestKey) + QStringLiteral(" (") + QString::number(c.widestTwips) +
                                          QStringLiteral(" twips)"));
    QTreeWidgetItem* item = row.depth == 0 ? new QTreeWidgetItem(lvwStatistics, columns)
                                           : new QTreeWidgetItem(parents[static_cast<std::size_t>(row.depth - 1)], columns);
    for (int column = 1; column <= 4; ++column) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    if (c.overLength > 0) item->setForeground(5, red);
    if (c.overWidth > 0) item->setForeground(6, red);
    if (row.depth < 2) {
      parents[static_cast<std::size_t>(row.depth)] = item;
      item->setExpanded(row.depth == 0);
    }
    if (row.depth == 0) total.Add(c);
  }
  lblTotal->setText(QStringLiteral("In all: %1 words, %2 characters in %3 messages and %4 responses.")
                        .arg(total.words)
                        .arg(total.characters)
                        .arg(total.messages)
                        .arg(total.responses));
}

}  // namespace zelmora::writing
