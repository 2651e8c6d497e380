#include "simulator/frm_ss_options.h"

#include "simulator/frm_ss_control.h"
#include "simulator/recorded_test.h"
#include "simulator/seeded_random.h"
#include "simulator/window_placement.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>

namespace zelmora::simulator {

using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 6360;
constexpr int kHeight = 4155;
constexpr int kFlagsTop = 990;
constexpr int kFlagsHeight = 1425;
constexpr int kFlagPitch = 300;
constexpr int kLightRed = 12;

QColor Fill(int paletteIndex) {
  return paletteIndex == kButtonFace ? QApplication::palette().color(QPalette::Button) : qt::PaletteColour(paletteIndex);
}

}  // namespace

frmSSOptions::frmSSOptions(World world, QWidget* parent)
    : QDialog(parent),
      world_(world),
      script_(world.store, world.record),
      options_(world.ship),
      rules_(world.ship, world.random, world.prompter, world.numbers, world.store.GetTables().EnergyCost),
      clockSeed_(ClockSeed) {
  qt::SetUpFixedDialog(this, "frmSSOptions", kWidth, kHeight);
  setWindowTitle(QStringLiteral("Test Options"));

  fraOptions = Make<QGroupBox>(this, "fraOptions");
  fraOptions->setTitle(QStringLiteral("Options"));
  PlaceTwips(fraOptions, 120, 60, 1800, 840);
  chkUpgrades = Make<QCheckBox>(fraOptions, "chkUpgrades", "Upgrades");
  PlaceTwips(chkUpgrades, 120, 270, 1560, 255);
  chkUpgrades->setChecked(true);
  chkBadGuy = Make<QCheckBox>(fraOptions, "chkBadGuy", "BadGuy");
  PlaceTwips(chkBadGuy, 120, 540, 1560, 255);

  fraLastVisit = Make<QGroupBox>(this, "fraLastVisit");
  fraLastVisit->setTitle(QStringLiteral("Last Visit"));
  PlaceTwips(fraLastVisit, 2040, 60, 4200, 840);
  hsbLast = Make<QScrollBar>(fraLastVisit, "hsbLast");
  hsbLast->setOrientation(Qt::Horizontal);
  hsbLast->setRange(0, 50);
  hsbLast->setPageStep(10);
  PlaceTwips(hsbLast, 120, 270, 3960, 255);
  lblLast = Make<QLabel>(fraLastVisit, "lblLast", "Never");
  PlaceTwips(lblLast, 120, 555, 3960, 225);
  lblLast->setAlignment(Qt::AlignCenter);

  BuildFlags();

  chkList = Make<QCheckBox>(this, "chkList", "List Flag Names");
  PlaceTwips(chkList, 120, kFlagsTop + kFlagsHeight + 75, 2400, 300);
  cmdClear = Make<QPushButton>(this, "cmdClear", "Clear &Flags");
  PlaceTwips(cmdClear, kWidth - 120 - 1320, kFlagsTop + kFlagsHeight + 60, 1320, 330);

  BuildUpgrades();

  cmdBegin = Make<QPushButton>(this, "cmdBegin", "&Begin");
  PlaceTwips(cmdBegin, kWidth - 120 - 1320 - 120 - 1320, 3660, 1320, 375);
  cmdBegin->setDefault(true);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kWidth - 120 - 1320, 3660, 1320, 375);

  panel_ = new frmSSControl(this);

  options_.SetListener(this);
  rules_.onUpgradeChanged = [this](int kind, int level) { ShowUpgrade(kind, level); };
  for (int k = 1; k <= kUpgradeKinds; ++k) ShowUpgrade(k, world_.ship.UpgradeLevels[static_cast<std::size_t>(k)]);

  connect(chkUpgrades, &QCheckBox::clicked, this, [this](bool ticked) { options_.SetUpgrades(ticked, rules_); });
  connect(chkBadGuy, &QCheckBox::toggled, this, [this](bool ticked) { options_.badGuy = ticked; });
  connect(hsbLast, &QScrollBar::valueChanged, this, [this](int value) {
    options_.lastVisit = value;
    lblLast->setText(qt::FromCp1252(options_.LastVisitCaption()));
  });
  connect(chkList, &QCheckBox::toggled, this, [this](bool listed) {
    fraFlags[0]->setVisible(!listed);
    fraFlags[1]->setVisible(listed);
  });
  connect(cmdClear, &QPushButton::clicked, this, [this] { options_.ClearFlags(); });
  connect(lstFlags, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int p = options_.planet;
    if (p >= 1 && p <= store::kMaxPlanets) options_.ClearListedFlag(lstFlags->row(item), world_.record.Planet(p));
  });
  connect(cmdBegin, &QPushButton::clicked, this, &frmSSOptions::Begin);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

frmSSOptions::~frmSSOptions() = default;

void frmSSOptions::BuildFlags() {
  for (int i = 0; i < 2; ++i) {
    fraFlags[static_cast<std::size_t>(i)] = Make<QGroupBox>(this, "fraFlags");
    fraFlags[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("fraFlags_%1").arg(i));
    fraFlags[static_cast<std::size_t>(i)]->setTitle(QStringLiteral("Flags"));
    PlaceTwips(fraFlags[static_cast<std::size_t>(i)], 120, kFlagsTop, kWidth - 240, kFlagsHeight);
  }
  QGroupBox* labels = fraFlags[0];
  // Three rows: the letters before the treaty and the treaty, the letters after it, the digits.
  for (int f = 0; f < kFlagNumbers; ++f) {
    auto* label = Make<QLabel>(labels, "lblFlag");
    label->setObjectName(QStringLiteral("lblFlag_%1").arg(f));
    label->setText(qt::FromCp1252(FlagLabelCaption(f)));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    const int row = f <= kTreatyFlag ? 0 : f <= 26 ? 1 : 2;
    const int column = row == 0 ? f : row == 1 ? f - 8 : f - 27;
    const int width = f == kTreatyFlag ? 660 : kFlagPitch - 15;
    PlaceTwips(label, 120, 300 + row * 375, width, 255);
    label->move(qt::TwipsToPixels(120 + column * kFlagPitch), label->y());
    lblFlag[static_cast<std::size_t>(f)] = label;
    FlagLabelChanged(f, false);
  }
  for (int i = 0; i < 2; ++i) {
    auto* line = Make<QFrame>(labels, "lnBar");
    line->setObjectName(QStringLiteral("lnBar_%1").arg(i));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    PlaceTwips(line, 120, 585 + i * 375, kWidth - 480, 30);
    lnBar[static_cast<std::size_t>(i)] = line;
  }
  lstFlags = Make<QListWidget>(fraFlags[1], "lstFlags");
  PlaceTwips(lstFlags, 120, 270, kWidth - 480, kFlagsHeight - 390);
  fraFlags[1]->hide();
}

void frmSSOptions::BuildUpgrades() {
  const int top = kFlagsTop + kFlagsHeight + 480;
  fraUpgrades = Make<QGroupBox>(this, "fraUpgrades");
  fraUpgrades->setTitle(QStringLiteral("Upgrades"));
  PlaceTwips(fraUpgrades, 120, top, kWidth - 240, 660);
  lblRetrofit = Make<QLabel>(fraUpgrades, "lblRetrofit", "Retrofits: 00000 ");
  PlaceTwips(lblRetrofit, 120, 300, 1800, 225);
  const char* names[] = {"UpEn", "UpSh", "UpPt", "UpSn", "UpTb"};
  QFrame** members[] = {&UpEn, &UpSh, &UpPt, &UpSn, &UpTb};
  for (int i = 0; i < kUpgradeKinds; ++i) {
    const int left = 2040 + i * 840;
    auto* label = Make<QLabel>(fraUpgrades, "lblUpgrade", kUpgradeCodes[static_cast<std::size_t>(i + 1)]);
    label->setObjectName(QStringLiteral("lblUpgrade_%1").arg(i));
    PlaceTwips(label, left, 300, 360, 225);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    lblUpgrade[static_cast<std::size_t>(i)] = label;
    auto* marker = Make<QFrame>(fraUpgrades, names[i]);
    PlaceTwips(marker, left + 390, 285, 255, 255);
    *members[i] = marker;
    markers_[static_cast<std::size_t>(i)] = marker;
  }
}

void frmSSOptions::ShowUpgrade(int kind, int level) {
  if (kind < 1 || kind > kUpgradeKinds) return;
  const MarkerColours colours = UpgradeMarkerColours(level);
  markerColours_[static_cast<std::size_t>(kind - 1)] = colours;
  markers_[static_cast<std::size_t>(kind - 1)]->setStyleSheet(
      QStringLiteral("QFrame { background-color: %1; border: 2px solid %2; border-radius: 4px; }")
          .arg(Fill(colours.fill).name(), Fill(colours.border).name()));
}

void frmSSOptions::Open(int planet) {
  rules_.ResetUpgradeLevels();
  options_.planet = planet;
  options_.LoadFlagNames(script_);
  FillFlagList();
}

void frmSSOptions::Run(int planet) {
  Open(planet);
  exec();
}

void frmSSOptions::FillFlagList() {
  lstFlags->clear();
  for (const auto& entry : options_.FlagList()) FlagAdded(entry);
}

void frmSSOptions::Begin() {
  const int p = options_.planet;
  if (p < 1 || p > store::kMaxPlanets) return;
  RecordedTest test({world_.record, world_.store.GetTables(), script_, world_.ship, world_.random}, options_,
                    {*panel_, this, world_.prompter, world_.numbers});
  test.Session().Rules().onUpgradeChanged = [this](int kind, int level) { ShowUpgrade(kind, level); };
  test.Begin(world_.record.Name, clockSeed_());
  panel_->Run(test);
  lastRecording_ = test.Recording(world_.store.GameFolder());
  lastRecordingFile_.clear();
  if (!recordingFolder_.empty()) {
    const std::string stamp =
        qt::ToCp1252(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
    const auto file = RecordingPath(recordingFolder_, world_.record.Name, p, stamp);
    // A test that cannot be kept was still played; nothing is reported, as for the other files.
    if (SaveRecording(*lastRecording_, file)) lastRecordingFile_ = file;
  }
}

void frmSSOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  // The frames are not known before the windows are shown: both are taken to be like this one's.
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize panel = panel_->size() + frame;
  const QSize self = size() + frame;
  const auto at = PlaceTestWindows({area.x(), area.y(), area.width(), area.height()}, panel.width(), panel.height(),
                                   self.width(), self.height());
  move(at.options.left, at.options.top);
  panel_->move(at.panel.left, at.panel.top);
}

bool frmSSOptions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (int i = 0; i < kUpgradeKinds; ++i) {
      if (watched == lblUpgrade[static_cast<std::size_t>(i)]) {
        options_.PressUpgrade(i, rules_);
        return true;
      }
    }
  }
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (int f = 0; f < kFlagNumbers; ++f) {
      QLabel* label = lblFlag[static_cast<std::size_t>(f)];
      if (watched == label && label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        options_.ToggleFlagLabel(f);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---- what the options show

void frmSSOptions::FlagLabelChanged(int flag, bool on) {
  QLabel* label = lblFlag[static_cast<std::size_t>(flag)];
  QPalette colours = label->palette();
  colours.setColor(QPalette::Window, Fill(on ? kLightRed : kButtonFace));
  label->setPalette(colours);
}

void frmSSOptions::FlagAdded(const FlagListEntry& entry) {
  auto* item = new QListWidgetItem(qt::FromCp1252(entry.name), lstFlags);
  item->setData(Qt::UserRole, entry.flag);
}

void frmSSOptions::FlagRemoved(const FlagListEntry& entry) {
  for (int row = 0; row < lstFlags->count(); ++row) {
    if (lstFlags->item(row)->data(Qt::UserRole).toInt() == entry.flag) {
      delete lstFlags->takeItem(row);
      return;
    }
  }
}

void frmSSOptions::RetrofitCaptionChanged(const std::string& caption) { lblRetrofit->setText(qt::FromCp1252(caption)); }

}  // namespace zelmora::simulator
