#include "editor/frm_adventure_map.h"

#include "editor/adventure_map_widget.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/wrapped_rows.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace zelmora::check {

using qt::FromCp1252;
using qt::Make;

namespace {

constexpr int kMinWidth = 760;
constexpr int kMaxWidth = 1240;
constexpr int kMinHeight = 560;
constexpr int kMaxHeight = 820;
// What a window manager adds around the window: a title bar and borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

QIcon SeverityIcon(Severity severity) {
  static const QColor colours[] = {{0xd1, 0x3b, 0x2e}, {0xe8, 0x93, 0x0c}, {0x2f, 0x6f, 0xd0}};
  QPixmap dot(12, 12);
  dot.fill(Qt::transparent);
  QPainter p(&dot);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(colours[static_cast<int>(severity)]);
  p.drawEllipse(QRectF(1, 1, 10, 10));
  return QIcon(dot);
}

}  // namespace

frmAdventureMap::frmAdventureMap(messages::PlanetScript& script, messages::SpecialActionList catalogue, QWidget* parent)
    : QDialog(parent), script_(script), catalogue_(std::move(catalogue)) {
  setObjectName(QStringLiteral("frmAdventureMap"));
  setWindowTitle(QStringLiteral("Adventure Map"));
  setSizeGripEnabled(true);

  // The map is a sheet on a darker desk, so a small one does not float in empty space.
  pnlMap = Make<QScrollArea>(this, "pnlMap");
  pnlMap->setAlignment(Qt::AlignCenter);
  pnlMap->setWidgetResizable(false);
  QPalette desk = pnlMap->viewport()->palette();
  desk.setColor(QPalette::Window, QColor(0xd6, 0xd0, 0xc2));
  pnlMap->viewport()->setPalette(desk);
  pnlMap->viewport()->setAutoFillBackground(true);
  picMap = Make<AdventureMapWidget>(pnlMap, "picMap");
  pnlMap->setWidget(picMap);

  lblSummary = Make<QLabel>(this, "lblSummary");
  lblSummary->setWordWrap(true);
  fraLegend = Make<QGroupBox>(this, "fraLegend");
  fraLegend->setTitle(QStringLiteral("Legend"));
  picLegend = Make<MapLegendWidget>(fraLegend, "picLegend");
  auto* legend = new QVBoxLayout(fraLegend);
  legend->setContentsMargins(6, 4, 6, 6);
  legend->addWidget(picLegend);

  lblFindings = Make<QLabel>(this, "lblFindings", "Room &findings:");
  lvwFindings = Make<QTreeWidget>(this, "lvwFindings");
  lblFindings->setBuddy(lvwFindings);
  lvwFindings->setColumnCount(2);
  lvwFindings->setHeaderLabels({QStringLiteral("Room"), QStringLiteral("Finding")});
  lvwFindings->setRootIsDecorated(false);
  lvwFindings->setWordWrap(true);
  lvwFindings->setTextElideMode(Qt::ElideNone);
  lvwFindings->setAllColumnsShowFocus(true);
  lvwFindings->header()->setStretchLastSection(true);
  lvwFindings->setColumnWidth(0, 92);
  // A wrapped row is as tall as its text in the width its column has now.
  lvwFindings->viewport()->installEventFilter(this);

  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  cmdClose->setAutoDefault(false);

  sideWidth_ = std::max(picLegend->sizeHint().width() + 24, 300);
  auto* column = new QVBoxLayout;
  column->addWidget(lblSummary);
  column->addWidget(fraLegend);
  column->addWidget(lblFindings);
  column->addWidget(lvwFindings, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  column->addLayout(buttons);
  auto* sideWidget = new QWidget(this);
  sideWidget->setLayout(column);
  column->setContentsMargins(0, 0, 0, 0);
  sideWidget->setFixedWidth(sideWidth_);
  auto* main = new QHBoxLayout(this);
  main->addWidget(pnlMap, 1);
  main->addWidget(sideWidget);

  // The rulers of the map follow the view.
  connect(pnlMap->horizontalScrollBar(), &QScrollBar::valueChanged, picMap, qOverload<>(&QWidget::update));
  connect(pnlMap->verticalScrollBar(), &QScrollBar::valueChanged, picMap, qOverload<>(&QWidget::update));
  connect(picMap, &AdventureMapWidget::roomClicked, this, &frmAdventureMap::OpenRoom);
  connect(lvwFindings, &QTreeWidget::currentItemChanged, this, &frmAdventureMap::FindingChosen);
  connect(lvwFindings, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenRoom(item->data(0, Qt::UserRole).toInt()); });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void frmAdventureMap::Prepare(const std::string& current) {
  chosen_.reset();
  map_ = MapPlanet(script_, catalogue_);
  const store::SolarSystemRecord& record = script_.Record();
  setWindowTitle(QStringLiteral("Adventure Map - ") +
                 FromCp1252(script_.Store().GetPlanetName(record, script_.Planet(), record.StarName)));
  picMap->ShowMap(map_.layout);
  picMap->SetCurrent(map_.layout.Find(current));
  lblSummary->setText(FromCp1252(map_.summary));

  lvwFindings->clear();
  for (const MapFindingRow& row : map_.rows) {
    auto* item = new QTreeWidgetItem(lvwFindings);
    const Finding& f = row.finding;
    item->setIcon(0, SeverityIcon(f.severity));
    item->setText(0, FromCp1252(map_.layout.rooms[static_cast<std::size_t>(row.room)].name));
    item->setText(1, FromCp1252(f.message));
    std::string tip = std::string(SeverityName(f.severity)) + ": " + f.message;
    if (!f.fix.empty()) tip += "\nfix: " + f.fix;
    item->setToolTip(0, FromCp1252(tip));
    item->setToolTip(1, FromCp1252(tip));
    item->setData(0, Qt::UserRole, row.room);
  }
  lvwFindings->setCurrentItem(nullptr);
  WrapFindings();

  // As large as the map asks for, within what the screen shows with the window's frame around it;
  // beyond that it scrolls.
  const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen();
  const QRect available = shownOn ? shownOn->availableGeometry() : QRect(0, 0, kMaxWidth, kMaxHeight);
  const int maxWidth = std::min(kMaxWidth, available.width() - kFrameWidth);
  const int maxHeight = std::min(kMaxHeight, available.height() - kFrameHeight);
  const int frame = 2 * pnlMap->frameWidth() + pnlMap->verticalScrollBar()->sizeHint().width() + 4;
  resize(std::clamp(map_.layout.width + frame + sideWidth_ + 36, std::min(kMinWidth, maxWidth), maxWidth),
         std::clamp(map_.layout.height + frame + 24, std::min(kMinHeight, maxHeight), maxHeight));
}

std::optional<std::string> frmAdventureMap::Run(const std::string& current) {
  Prepare(current);
  exec();
  return chosen_;
}

void frmAdventureMap::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ScrollTo(picMap->Current());
}

bool frmAdventureMap::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lvwFindings->viewport() && event->type() == QEvent::Resize) WrapFindings();
  return QDialog::eventFilter(watched, event);
}

void frmAdventureMap::ScrollTo(int room) {
  if (room < 0 || room >= static_cast<int>(map_.layout.rooms.size())) return;
  const MapRect& box = map_.layout.rooms[static_cast<std::size_t>(room)].box;
  const MapPoint centre = box.Centre();
  pnlMap->ensureVisible(centre.x, centre.y, box.width, box.height);
}

void frmAdventureMap::WrapFindings() { qt::FitWrappedRows(lvwFindings, 1); }

void frmAdventureMap::OpenRoom(int room) {
  if (room < 0 || room >= static_cast<int>(map_.layout.rooms.size())) return;
  chosen_ = map_.layout.rooms[static_cast<std::size_t>(room)].name;
  accept();
}

void frmAdventureMap::FindingChosen() {
  QTreeWidgetItem* item = lvwFindings->currentItem();
  const int room = item ? item->data(0, Qt::UserRole).toInt() : -1;
  picMap->SetSelected(room);
  ScrollTo(room);
}

}  // namespace zelmora::check
