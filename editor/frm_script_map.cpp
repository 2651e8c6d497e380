#include "editor/frm_script_map.h"

#include "editor/script_map_widget.h"
#include "editor/script_map_sheet_widget.h"
#include "editor/script_worker_binding.h"
#include "store/descriptor_store.h"
#include "ui/platform/code_page.h"
#include "ui/platform/file_rules.h"
#include "ui/qt/code_page.h"
#include "ui/qt/controls.h"
#include "ui/qt/palette.h"
#include "ui/qt/twip_layout.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace zelmora::check {

using qt::FromCp1252;
using qt::Make;

namespace {

constexpr int kMaxWidth = 1320;
constexpr int kMaxHeight = 860;
constexpr int kMinWidth = 860;
constexpr int kMinHeight = 560;
// What a window manager adds around the window: a title bar and borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
// Below this a box's name is too small to read: a large map starts at its top instead of whole.
constexpr double kReadableZoom = 0.8;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

frmScriptMap::frmScriptMap(messages::PlanetScript& script, messages::SpecialActionList catalogue,
                           platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      script_(script),
      catalogue_(std::move(catalogue)),
      prompter_(prompter),
      model_(*this, MapMetrics(font())),
      worker_(new editor::ScriptWorker(script, this)) {
  setObjectName(QStringLiteral("frmScriptMap"));
  setWindowTitle(QStringLiteral("Script Map"));
  setSizeGripEnabled(true);
  setModal(false);
  options_.measureTwips = [metrics = QFontMetrics(qt::DialogFont())](std::string_view text) {
    return qt::PixelsToTwips(metrics.horizontalAdvance(FromCp1252(text)));
  };
  model_.SetFlagTexts([this](const std::string& flag) {
    // The treaty is flag H, whatever its description says.
    const std::string letter = flag == "treaty" ? "H" : flag;
    if (letter.size() != 1) return std::string();
    const std::string text = script_.GetMessage(letter + "Flag");
    const std::string described = text == store::kNoMessage ? std::string() : text;
    if (flag == "treaty") return "(flag H)" + (described.empty() ? "" : " " + described);
    return described;
  });

  picMap = Make<ScriptMapCanvas>(this, "picMap");
  picMap->SetDescriptions([this](int node) { return FromCp1252(model_.Describe(node)); },
                          [this](int line) { return FromCp1252(model_.DescribeLine(line)); });

  lblSearch = Make<QLabel>(this, "lblSearch", "Fi&nd group:");
  txtSearch = Make<QLineEdit>(this, "txtSearch");
  txtSearch->setPlaceholderText(QStringLiteral("name or part of it"));
  txtSearch->setClearButtonEnabled(true);
  lblSearch->setBuddy(txtSearch);
  cmdFind = Make<QPushButton>(this, "cmdFind", "&Find");
  cmdFind->setToolTip(QStringLiteral("Finds the group and brings it to the middle; again for the next one"));
  lblFound = Make<QLabel>(this, "lblFound");
  cmdZoomOut = Make<QPushButton>(this, "cmdZoomOut", "-");
  cmdZoomOut->setToolTip(QStringLiteral("Zoom out (Ctrl+minus, or the wheel)"));
  cmdZoomIn = Make<QPushButton>(this, "cmdZoomIn", "+");
  cmdZoomIn->setToolTip(QStringLiteral("Zoom in (Ctrl+plus, or the wheel)"));
  cmdFit = Make<QPushButton>(this, "cmdFit", "Fi&t");
  cmdFit->setToolTip(QStringLiteral("The whole map in view (Ctrl+0)"));
  lblZoom = Make<QLabel>(this, "lblZoom", "100 %");
  lblSummary = Make<QLabel>(this, "lblSummary");
  lblSummary->setWordWrap(true);
  lblFlags = Make<QLabel>(this, "lblFlags", "F&lag to follow:");
  lstFlags = Make<QListWidget>(this, "lstFlags");
  lblFlags->setBuddy(lstFlags);
  lstFlags->setToolTip(QStringLiteral("Lights every link that tests or changes the flag"));
  fraLegend = Make<QGroupBox>(this, "fraLegend");
  fraLegend->setTitle(QStringLiteral("Legend"));
  picLegend = Make<ScriptMapLegend>(fraLegend, "picLegend");
  auto* legend = new QVBoxLayout(fraLegend);
  legend->setContentsMargins(6, 4, 6, 6);
  legend->addWidget(picLegend);
  cmdOpen = Make<QPushButton>(this, "cmdOpen", "&Open in Editor");
  cmdOpen->setToolTip(QStringLiteral("Opens the chosen group in the message editor (or double-click it)"));
  cmdSaveImage = Make<QPushButton>(this, "cmdSaveImage", "Save &Image...");
  cmdSaveImage->setToolTip(QStringLiteral("Saves the map as a PNG picture or an SVG drawing"));
  cmdClose = Make<QPushButton>(this, "cmdClose", "&Close");
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  cmdOpen->setEnabled(false);

  mnuNode = new QMenu(this);
  mnuNode->setObjectName(QStringLiteral("mnuNode"));
  mnuOpenMessages = mnuNode->addAction(QStringLiteral("Open &Messages"));
  mnuOpenMessages->setObjectName(QStringLiteral("mnuOpenMessages"));
  mnuOpenResponses = mnuNode->addAction(QStringLiteral("Open &Responses"));
  mnuOpenResponses->setObjectName(QStringLiteral("mnuOpenResponses"));
  mnuEditRoom = mnuNode->addAction(QStringLiteral("Edit R&oom"));
  mnuEditRoom->setObjectName(QStringLiteral("mnuEditRoom"));

  auto* search = new QHBoxLayout;
  search->addWidget(txtSearch, 1);
  search->addWidget(cmdFind);
  auto* zoom = new QHBoxLayout;
  for (QPushButton* b : {cmdZoomOut, cmdZoomIn}) b->setFixedWidth(32);
  zoom->addWidget(cmdZoomOut);
  zoom->addWidget(cmdZoomIn);
  zoom->addWidget(cmdFit);
  zoom->addWidget(lblZoom, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdSaveImage);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  auto* column = new QVBoxLayout;
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(lblSearch);
  column->addLayout(search);
  column->addWidget(lblFound);
  column->addLayout(zoom);
  column->addWidget(lblSummary);
  column->addWidget(cmdOpen);
  column->addWidget(lblFlags);
  column->addWidget(lstFlags, 1);
  column->addWidget(fraLegend);
  column->addLayout(buttons);
  side_ = new QWidget(this);
  side_->setLayout(column);
  side_->setFixedWidth(std::max(picLegend->sizeHint().width() + 24, 300));
  lstFlags->setMinimumHeight(70);
  auto* main = new QHBoxLayout(this);
  main->addWidget(picMap, 1);
  main->addWidget(side_);
  // The map first, then the search: Tab from the map goes to what finds a group on it.
  setTabOrder(picMap, txtSearch);
  ShowFlags({});

  connect(picMap, &ScriptMapCanvas::nodeClicked, this, [this](int node) { model_.Select(node); });
  connect(picMap, &ScriptMapCanvas::nodeActivated, this, [this](int node) { OpenNode(node); });
  connect(picMap, &ScriptMapCanvas::nodeMenu, this, &frmScriptMap::NodeMenu);
  connect(picMap, &ScriptMapCanvas::zoomChanged, this, [this](double zoom) {
    lblZoom->setText(QString::number(static_cast<int>(std::lround(zoom * 100))) + QStringLiteral(" %"));
  });
  connect(txtSearch, &QLineEdit::returnPressed, this, &frmScriptMap::Find);
  connect(txtSearch, &QLineEdit::textEdited, this, [this] { lblFound->clear(); });
  connect(cmdFind, &QPushButton::clicked, this, &frmScriptMap::Find);
  connect(cmdZoomIn, &QPushButton::clicked, picMap, &ScriptMapCanvas::ZoomIn);
  connect(cmdZoomOut, &QPushButton::clicked, picMap, &ScriptMapCanvas::ZoomOut);
  connect(cmdFit, &QPushButton::clicked, picMap, &ScriptMapCanvas::Fit);
  connect(lstFlags, &QListWidget::currentRowChanged, this, [this](int row) {
    if (quietFlags_) return;
    QListWidgetItem* item = row >= 0 ? lstFlags->item(row) : nullptr;
    model_.ChooseFlag(item ? qt::ToCp1252(item->data(Qt::UserRole).toString()) : std::string());
  });
  connect(cmdOpen, &QPushButton::clicked, this, [this] { OpenNode(-1); });
  connect(cmdSaveImage, &QPushButton::clicked, this, &frmScriptMap::SaveImage);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

  auto shortcut = [this](QKeySequence keys, auto act) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, act);
  };
  shortcut(QKeySequence::ZoomIn, [this] { picMap->ZoomIn(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { picMap->ZoomIn(); });
  shortcut(QKeySequence::ZoomOut, [this] { picMap->ZoomOut(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { picMap->Fit(); });
  shortcut(QKeySequence::Find, [this] {
    txtSearch->setFocus();
    txtSearch->selectAll();
  });
}

frmScriptMap::~frmScriptMap() = default;

void frmScriptMap::Load(const std::string& planetName) {
  title_ = planetName;
  setWindowTitle(QStringLiteral("Script Map - ") + FromCp1252(planetName));
  const std::string shown = script_.Record().Name + "\n" + std::to_string(script_.Planet());
  if (shown != shownFor_) {
    // Another planet starts afresh: nothing chosen, no findings of the last one, a new view.
    shownFor_ = shown;
    findings_.clear();
    model_.Select(-1);
    model_.ChooseFlag({});
    startView_ = true;
    lblFound->clear();
  }
  Draw();
  if (startView_) FitToScreen();
  Check();
}

void frmScriptMap::ShowFor(const std::string& planetName) {
  Load(planetName);
  show();
  raise();
  activateWindow();
  if (startView_ && isVisible()) StartView();
}

void frmScriptMap::RunFor(const std::string& planetName) {
  Load(planetName);
  exec();
}

void frmScriptMap::Refresh() {
  if (!isVisible()) return;
  Draw();
  Check();
}

bool frmScriptMap::Checking() const { return worker_->Running(); }

void frmScriptMap::WaitForCheck() { worker_->Wait(); }

void frmScriptMap::Draw() {
  anchor_.reset();
  const ScriptSheet& before = model_.Sheet();
  if (!startView_ && !before.boxes.empty()) {
    const QPointF centre = picMap->Centre();
    const int box = model_.BoxNear({centre.x(), centre.y()});
    if (box >= 0) {
      const SheetBox& b = before.boxes[static_cast<std::size_t>(box)];
      anchor_.emplace(b.title, centre - QPointF(b.x + b.width / 2, b.y + b.height / 2));
    }
  }
  model_.Show(BuildScriptGraph(script_, findings_));
}

void frmScriptMap::Check() {
  model_.SetChecking(true);
  worker_->Start([this, catalogue = catalogue_, options = options_](const messages::PlanetScript& copy) {
    auto found = std::make_shared<std::vector<Finding>>(CheckPlanet(copy, catalogue, options).findings);
    return [this, found] {
      findings_ = std::move(*found);
      Draw();
      model_.SetChecking(worker_->Running());
    };
  });
}

void frmScriptMap::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (startView_) StartView();
}

void frmScriptMap::FitToScreen() {
  // As large as the map asks for, within what the screen shows with the window's frame around it.
  const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen();
  const QRect available = shownOn ? shownOn->availableGeometry() : QRect(0, 0, kMaxWidth, kMaxHeight);
  const int maxWidth = std::min(kMaxWidth, available.width() - kFrameWidth);
  const int maxHeight = std::min(kMaxHeight, available.height() - kFrameHeight);
  const ScriptSheet& sheet = model_.Sheet();
  const int side = 330;
  // Tall enough for the whole legend beside even a small map.
  const int column = side_->sizeHint().height() + 24;
  resize(std::clamp(static_cast<int>(sheet.width) + side + 40, std::min(kMinWidth, maxWidth), maxWidth),
         std::clamp(std::max(static_cast<int>(sheet.height) + 40, column), std::min(kMinHeight, maxHeight), maxHeight));
}

void frmScriptMap::StartView() {
  startView_ = false;
  const ScriptSheet& sheet = model_.Sheet();
  const double fit = picMap->FitZoom();
  if (fit >= kReadableZoom || sheet.boxes.empty()) {
    picMap->Fit();
    return;
  }
  // Too large to read whole: readable, from where play starts down; from where it starts the most
  // when the view cannot hold every start side by side.
  picMap->SetZoom(kReadableZoom);
  double left = sheet.width, right = 0;
  for (const SheetBox& box : sheet.boxes) {
    if (box.kind != NodeKind::Root) continue;
    left = std::min(left, box.x);
    right = std::max(right, box.x + box.width);
  }
  const double across = picMap->viewport()->width() / kReadableZoom;
  double x = left <= right ? (left + right) / 2 : sheet.width / 2;
  if (right - left > across - 20) {
    if (const int start = model_.StartBox(); start >= 0) x = sheet.boxes[static_cast<std::size_t>(start)].Centre().x;
  }
  const double halfHeight = picMap->viewport()->height() / (2 * kReadableZoom);
  picMap->centerOn(x, halfHeight - 10);
}

void frmScriptMap::Find() {
  const std::string text = qt::ToCp1252(txtSearch->text().trimmed());
  if (text.empty()) return;
  if (model_.Find(text)) {
    lblFound->clear();
  } else {
    lblFound->setText(QStringLiteral("No group's name holds that."));
  }
}

void frmScriptMap::OpenNode(int node, std::optional<OpenTarget::Kind> kind) {
  if (node < 0) node = model_.Selected();
  if (node < 0) return;
  model_.Select(node);
  if (const auto target = model_.Target(node, kind); target && open_) open_(*target);
}

void frmScriptMap::NodeMenu(int node, QPoint global) {
  const auto kinds = model_.Targets(node);
  if (kinds.empty()) return;
  QAction* actions[] = {mnuOpenMessages, mnuOpenResponses, mnuEditRoom};
  for (QAction* a : actions) {
    a->setVisible(false);
    QFont f = a->font();
    f.setBold(false);
    a->setFont(f);
  }
  for (OpenTarget::Kind kind : kinds) actions[static_cast<int>(kind)]->setVisible(true);
  // What a double click does stands out.
  QFont bold = actions[static_cast<int>(kinds.front())]->font();
  bold.setBold(true);
  actions[static_cast<int>(kinds.front())]->setFont(bold);
  // What the menu's choice triggered, however it was chosen.
  QAction* chosen = nullptr;
  const auto heard = connect(mnuNode, &QMenu::triggered, this, [&chosen](QAction* a) { chosen = a; });
  mnuNode->exec(global);
  disconnect(heard);
  for (std::size_t k = 0; k < 3; ++k) {
    if (chosen == actions[k]) OpenNode(node, static_cast<OpenTarget::Kind>(k));
  }
}

void frmScriptMap::SaveImage() {
  std::string name = platform::Cp1252ToUtf8(script_.Record().Name + " " + title_ + " map.png");
  std::replace(name.begin(), name.end(), '/', '-');
  const auto chosen = prompter_.ChooseSaveFile("Save Image", (QDir::homePath().toStdString() + "/" + name),
                                               "PNG picture (*.png);;SVG drawing (*.svg)");
  if (!chosen) return;
  std::filesystem::path file(*chosen);
  if (file.extension().empty()) file += ".png";
  const std::string ending = Lower(file.extension().string());
  std::string bytes, error;
  if (ending == ".svg") {
    bytes = model_.Svg(script_.Record().Name + " " + title_, &error, NamedFontMeasure());
  } else if (ending == ".png") {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (picMap->Picture().save(&buffer, "PNG")) bytes = buffer.data().toStdString();
    else error = "the picture could not be made";
  } else {
    prompter_.Message("A map is saved as a .png picture or an .svg drawing.", platform::Buttons::Ok,
                      platform::Icon::Exclamation);
    return;
  }
  if (error.empty()) {
    if (const auto written = platform::AtomicReplace(file, bytes); !written) error = written.error;
  }
  if (!error.empty()) {
    prompter_.Message("The map could not be saved to " + platform::Utf8ToCp1252(file.string()) + ": " + error + ".",
                      platform::Buttons::Ok, platform::Icon::Exclamation);
  }
}

// ---- the view

void frmScriptMap::ShowSheet(const ScriptSheet& sheet, const ScriptGraph& graph) {
  std::optional<QPointF> centre;
  if (anchor_) {
    // The group that was in the middle stays there, wherever the new layout put it.
    if (const int box = model_.BoxNamed(anchor_->first); box >= 0) {
      const SheetBox& b = sheet.boxes[static_cast<std::size_t>(box)];
      centre = QPointF(b.x + b.width / 2, b.y + b.height / 2) + anchor_->second;
    } else {
      centre = picMap->Centre();
    }
  }
  picMap->ShowSheet(sheet, graph, centre);
}

void frmScriptMap::ShowMarks(const MapMarks& marks) {
  picMap->ShowMarks(marks);
  cmdOpen->setEnabled(marks.selected >= 0);
}

void frmScriptMap::ShowFlags(const std::vector<FlagRow>& flags) {
  const QString chosen = lstFlags->currentItem() ? lstFlags->currentItem()->data(Qt::UserRole).toString() : QString();
  quietFlags_ = true;
  lstFlags->clear();
  auto* none = new QListWidgetItem(QStringLiteral("(none)"), lstFlags);
  none->setData(Qt::UserRole, QString());
  for (const FlagRow& row : flags) {
    auto* item = new QListWidgetItem(FromCp1252(row.text), lstFlags);
    item->setData(Qt::UserRole, FromCp1252(row.flag));
  }
  int current = 0;
  for (int i = 0; i < lstFlags->count(); ++i) {
    if (lstFlags->item(i)->data(Qt::UserRole).toString() == chosen) current = i;
  }
  lstFlags->setCurrentRow(current);
  quietFlags_ = false;
}

void frmScriptMap::ShowSummary(const std::string& summary) { lblSummary->setText(FromCp1252(summary)); }

void frmScriptMap::CentreOn(int box) { picMap->CentreOnBox(box); }

}  // namespace zelmora::check
