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
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

namespace zelmora::simulator {

using qt::Make;
using qt::PlaceTwips;

namespace {

constexpr int kWidth = 6360;
constexpr int kHeight = 4515;
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

  // Created before Begin, so that Tab reaches it first, as it stands left of Begin.
  chkTrace = Make<QCheckBox>(this, "chkTrace", "Show &Trace");
  chkTrace->setToolTip(QStringLiteral("Shows beside the control panel why each message was chosen"));
  PlaceTwips(chkTrace, 120, 3705, 2400, 300);
  cmdBegin = Make<QPushButton>(this, "cmdBegin", "&Begin");
  PlaceTwips(cmdBegin, kWidth - 120 - 1320 - 120 - 1320, 3660, 1320, 375);
  cmdBegin->setDefault(true);
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  PlaceTwips(cmdClose, kWidth - 120 - 1320, 3660, 1320, 375);
  lblStart = Make<QLabel>(this, "lblStart");
  lblStart->setTextFormat(Qt::PlainText);
  PlaceTwips(lblStart, 120, 4125, kWidth - 240, 255);

  panel_ = new frmSSControl(this);
  panel_->installEventFilter(this);

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
    label->setFocusPolicy(Qt::StrongFocus);
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
    label->setFocusPolicy(Qt::StrongFocus);
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

void frmSSOptions::Open(int planet, std::optional<StartPoint> from) {
  rules_.ResetUpgradeLevels();
  options_.planet = planet;
  options_.from = std::move(from);
  lblStart->setText(qt::FromCp1252(options_.from ? "The test starts at " + StartCaption(*options_.from) + "."
                                                 : std::string("The test starts where the last visit puts it.")));
  options_.LoadFlagNames(script_);
  FillFlagList();
}

void frmSSOptions::Run(int planet, std::optional<StartPoint> from) {
  Open(planet, std::move(from));
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
  test.SetUpgradeListener([this](int kind, int level) { ShowUpgrade(kind, level); });
  test.Begin(world_.record.Name, clockSeed_());
  panel_->SetTraceShown(chkTrace->isChecked());
  // Kept whether shown or not: the panel's own box shows it at any time.
  test.SetTraceSink(panel_);
  panel_->OnTraceShown([this](bool shown) {
    chkTrace->setChecked(shown);
    // The panel changed its width: both are placed again.
    arranging_ = true;
    ArrangeWithPanel();
  });
  // Placed before it is shown, with this dialog's frame, which is known by now.
  arranging_ = true;
  ArrangeWithPanel();
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

namespace {

// The frame a window manager has put around a shown window; nothing while it is not known.
QMargins KnownFrame(const QWidget* w) {
  if (!w || !w->isVisible() || !w->windowHandle()) return {};
  return w->windowHandle()->frameMargins();
}

QSize Framed(QSize size, const QMargins& frame) {
  return size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

}  // namespace

void frmSSOptions::ArrangeWithPanel() {
  if (inArrange_) return;
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  inArrange_ = true;
  const QMargins own = KnownFrame(this);
  const QMargins panel = KnownFrame(panel_);
  const QMargins parent = parentWidget() ? KnownFrame(parentWidget()->window()) : QMargins();
  const QMargins guess = !own.isNull() ? own : !panel.isNull() ? panel : parent;
  const QSize panelSize = Framed(panel_->size(), panel.isNull() ? guess : panel);
  const QSize ownSize = Framed(size(), own.isNull() ? guess : own);
  const QRect area = s->availableGeometry();
  const auto at = PlaceTestWindows({area.x(), area.y(), area.width(), area.height()}, panelSize.width(),
                                   panelSize.height(), ownSize.width(), ownSize.height());
  // A window's position is that of its frame.
  if (pos() != QPoint(at.options.left, at.options.top)) move(at.options.left, at.options.top);
  if (panel_->pos() != QPoint(at.panel.left, at.panel.top)) panel_->move(at.panel.left, at.panel.top);
  // Placed for good once the frames in use are the real ones.
  if (!own.isNull() && (!panel_->isVisible() || !panel.isNull())) arranging_ = false;
  inArrange_ = false;
}

void frmSSOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  arranging_ = true;
  ArrangeWithPanel();
}

void frmSSOptions::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  // The window manager framing the dialog moves it: that is when its frame becomes known.
  if (arranging_) ArrangeWithPanel();
}

bool frmSSOptions::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panel_) {
    if (event->type() == QEvent::Show) arranging_ = true;
    if (arranging_ && (event->type() == QEvent::Show || event->type() == QEvent::Move)) ArrangeWithPanel();
    return QDialog::eventFilter(watched, event);
  }
  // The labels act as buttons: Space (or Return) presses the one with the focus, whose frame shows it.
  const bool key = event->type() == QEvent::KeyPress &&
                   (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    if (auto* label = qobject_cast<QLabel*>(watched)) {
      const bool focused = event->type() == QEvent::FocusIn;
      const bool flag = std::find(lblFlag.begin(), lblFlag.end(), label) != lblFlag.end();
      label->setFrameStyle(focused ? QFrame::Box | QFrame::Plain
                                   : flag ? QFrame::Panel | QFrame::Raised : QFrame::NoFrame);
    }
  }
  if (key || (event->type() == QEvent::MouseButtonPress &&
              static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)) {
    for (int i = 0; i < kUpgradeKinds; ++i) {
      if (watched == lblUpgrade[static_cast<std::size_t>(i)]) {
        options_.PressUpgrade(i, rules_);
        return true;
      }
    }
  }
  const bool released = event->type() == QEvent::MouseButtonRelease &&
                        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (key || released) {
    for (int f = 0; f < kFlagNumbers; ++f) {
      QLabel* label = lblFlag[static_cast<std::size_t>(f)];
      if (watched == label &&
          (key || label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))) {
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
