#include "editor/script_map_sheet_widget.h"

#include "ui/qt/code_page.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace zelmora::check {

namespace {

// Pale paper and dark ink, as the adventure map; colour only where it means something.
const QColor kInk(0x3b, 0x46, 0x58);
const QColor kFaint(0x6b, 0x72, 0x80);
const QColor kGroupFill(0xff, 0xfd, 0xf7);
const QColor kRootFill(0xdd, 0xe8, 0xf8);
const QColor kRootBorder(0x2f, 0x5f, 0xb0);
const QColor kRoomFill(0xe0, 0xf0, 0xd6);
const QColor kRoomBorder(0x3d, 0x7a, 0x29);
const QColor kPartFill(0xc9, 0xe3, 0xb9);
const QColor kEndFill(0xee, 0xea, 0xdf);
const QColor kUnreachedFill(0xe2, 0xdf, 0xd8);
const QColor kMissing(0xc0, 0x39, 0x2b);
const QColor kResponseLine(0x2f, 0x6f, 0xd0);
const QColor kCompanionLine(0x9b, 0x8e, 0x70);
const QColor kBeamLine(0x1d, 0x5f, 0xbf);
const QColor kBeamUp(0x11, 0x86, 0x79);
const QColor kSelected(0xf2, 0x8c, 0x00);
const QColor kLockBody(0xf2, 0xc1, 0x4e);
const QColor kLockInk(0x6b, 0x4f, 0x10);

QColor Faded(QColor c, bool dim) {
  if (dim) c.setAlphaF(c.alphaF() * 0.3);
  return c;
}

void PaintArrowHead(QPainter& p, QPointF from, QPointF tip, const QColor& colour, bool open) {
  const qreal dx = tip.x() - from.x(), dy = tip.y() - from.y();
  const qreal length = std::hypot(dx, dy);
  if (length < 0.01) return;
  const QPointF along(dx / length, dy / length), across(-along.y(), along.x());
  // Graphviz leaves ten points for the head; it is drawn within them.
  const QPointF back = tip - along * std::min<qreal>(10, std::max<qreal>(length, 6));
  const QPolygonF head({tip, back + across * 4.5, back - across * 4.5});
  p.setPen(open ? QPen(colour, 1.2) : Qt::NoPen);
  p.setBrush(open ? QBrush(MapPaper()) : QBrush(colour));
  p.drawPolygon(head);
}

void PaintLock(QPainter& p, const QRectF& b) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kLockInk, 1.6));
  p.drawArc(QRectF(b.center().x() - 3.5, b.top(), 7, 8), 0, 180 * 16);
  p.setPen(QPen(kLockInk, 1));
  p.setBrush(kLockBody);
  p.drawRoundedRect(QRectF(b.left(), b.top() + 4, b.width(), b.height() - 4), 1.5, 1.5);
}

}  // namespace

const QColor& MapPaper() {
  static const QColor paper(0xf7, 0xf2, 0xe4);
  return paper;
}

const QColor& MapDesk() {
  static const QColor desk(0xd6, 0xd0, 0xc2);
  return desk;
}

QColor PathColour() { return kSelected; }

QColor FlagUseColour(FlagUse use) {
  switch (use) {
    case FlagUse::Tests: return {0xe8, 0x93, 0x0c};
    case FlagUse::Changes: return {0x8e, 0x44, 0xad};
    case FlagUse::Both: return {0xd1, 0x2e, 0x7a};
    case FlagUse::None: break;
  }
  return {};
}

QFont MapTitleFont(const QFont& base) {
  QFont font = base;
  font.setPixelSize(12);
  font.setBold(true);
  return font;
}

QFont MapTextFont(const QFont& base) {
  QFont font = base;
  font.setPixelSize(11);
  font.setBold(false);
  return font;
}

QFont MapLabelFont(const QFont& base) {
  QFont font = base;
  font.setPixelSize(10);
  font.setBold(true);
  return font;
}

SheetMetrics MapMetrics(const QFont& base) {
  const QFontMetricsF title(MapTitleFont(base)), text(MapTextFont(base)), label(MapLabelFont(base));
  SheetMetrics m;
  m.titleWidth = [title](std::string_view s) { return title.horizontalAdvance(qt::FromCp1252(s)); };
  m.textWidth = [text](std::string_view s) { return text.horizontalAdvance(qt::FromCp1252(s)); };
  m.labelWidth = [label](std::string_view s) { return label.horizontalAdvance(qt::FromCp1252(s)); };
  m.titleHeight = std::ceil(title.height()) + 2;
  m.lineHeight = std::ceil(text.height()) + 1;
  return m;
}

DotTextMeasure NamedFontMeasure() {
  // Measured large and scaled, so that hinting at small sizes does not round the widths.
  constexpr qreal kPixels = 100;
  auto fonts = std::make_shared<std::map<std::string, QFontMetricsF, std::less<>>>();
  return [fonts](const DotFont& font, std::string_view utf8) {
    auto it = fonts->find(font.name);
    if (it == fonts->end()) {
      QFont f(QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size())));
      f.setPixelSize(static_cast<int>(kPixels));
      it = fonts->emplace(std::string(font.name), QFontMetricsF(f)).first;
    }
    const qreal scale = font.points / kPixels;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return DotTextSize{it->second.horizontalAdvance(text) * scale, it->second.height() * scale};
  };
}

QColor SeverityColour(Severity severity) {
  switch (severity) {
    case Severity::Error: return {0xd1, 0x3b, 0x2e};
    case Severity::Warning: return {0xe8, 0x93, 0x0c};
    case Severity::Note: break;
  }
  return {0x2f, 0x6f, 0xd0};
}

void PaintBeamUp(QPainter& p, const QRectF& r) {
  // An arrow up out of a short bar: leaving for the ship.
  p.setPen(Qt::NoPen);
  p.setBrush(kBeamUp);
  const qreal cx = r.center().x();
  p.drawPolygon(QPolygonF({QPointF(cx, r.top()), QPointF(r.right(), r.top() + r.height() * 0.5),
                           QPointF(r.left(), r.top() + r.height() * 0.5)}));
  p.drawRect(QRectF(cx - r.width() * 0.18, r.top() + r.height() * 0.45, r.width() * 0.36, r.height() * 0.3));
  p.drawRect(QRectF(r.left(), r.bottom() - r.height() * 0.14, r.width(), r.height() * 0.14));
}

void PaintBadge(QPainter& p, QPointF centre, Severity severity, const QString& text, const QFont& base) {
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(SeverityColour(severity));
  p.drawEllipse(centre, 8.5, 8.5);
  p.setPen(Qt::white);
  QFont font = MapTextFont(base);
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(centre.x() - 9, centre.y() - 9, 18, 18), Qt::AlignCenter, text);
}

void PaintBox(QPainter& p, const QRectF& box, const BoxLook& look, const QFont& base) {
  const bool dim = look.dim && !look.onPath && !look.selected;
  if (look.selected || look.onPath) {
    QColor glow = kSelected;
    glow.setAlpha(look.selected ? 90 : 45);
    p.setPen(look.selected ? QPen(kSelected, 3) : Qt::NoPen);
    p.setBrush(glow);
    p.drawRoundedRect(box.adjusted(-5, -5, 5, 5), 9, 9);
  }
  QColor fill = kGroupFill, border = kInk, text = kInk;
  qreal width = 1.2;
  Qt::PenStyle style = Qt::SolidLine;
  switch (look.kind) {
    case NodeKind::Root: fill = kRootFill, border = kRootBorder, width = 2.2; break;
    case NodeKind::Room: fill = kRoomFill, border = kRoomBorder, width = 1.6; break;
    case NodeKind::End: fill = kEndFill; break;
    case NodeKind::Group: break;
  }
  if (look.unreachable) fill = kUnreachedFill, border = kFaint, text = kFaint, style = Qt::DashLine;
  if (look.missing) fill = QColor(255, 255, 255, 150), border = kMissing, text = kMissing, style = Qt::DashLine;
  if (look.hovered) fill = fill.darker(108);
  if (!look.missing && look.kind != NodeKind::End) {
    p.setPen(Qt::NoPen);
    p.setBrush(Faded(QColor(0, 0, 0, 30), dim));
    p.drawRoundedRect(box.translated(2, 2), 5, 5);
  }
  p.setPen(QPen(Faded(border, dim), width, style));
  p.setBrush(Faded(fill, dim));
  if (look.kind == NodeKind::End) {
    p.drawEllipse(box);
  } else if (look.kind == NodeKind::Room) {
    // A room is drawn as a room: a plan with a wall's thickness and a doorway in its top wall.
    p.drawRect(box);
    p.setPen(QPen(Faded(border, dim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(3, 3, -3, -3));
    p.setPen(QPen(Faded(fill, dim), 5));
    p.drawLine(QPointF(box.left() + 10, box.top() + 1.5), QPointF(box.left() + 24, box.top() + 1.5));
  } else {
    p.drawRoundedRect(box, 5, 5);
  }

  const QFont titleFont = MapTitleFont(base), textFont = MapTextFont(base);
  const QFontMetricsF titleMetrics(titleFont), textMetrics(textFont);
  const qreal inner = box.width() - 2 * kBoxPadding;
  p.setPen(Faded(text, dim));
  p.setFont(titleFont);
  if (look.kind == NodeKind::End) {
    p.drawText(box, Qt::AlignCenter, look.title);
    return;
  }
  qreal y = box.top() + kBoxPadding;
  const qreal titleHeight = std::ceil(titleMetrics.height()) + 2, lineHeight = std::ceil(textMetrics.height()) + 1;
  QFont shownTitle = titleFont;
  shownTitle.setItalic(look.missing);
  p.setFont(shownTitle);
  p.drawText(QRectF(box.left() + kBoxPadding, y, inner - 14, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
             titleMetrics.elidedText(look.title, Qt::ElideMiddle, inner - 14));
  y += titleHeight;
  p.setFont(textFont);
  p.setPen(Faded(look.missing ? kMissing : kFaint, dim));
  p.drawText(QRectF(box.left() + kBoxPadding, y, inner, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
             textMetrics.elidedText(look.counts, Qt::ElideRight, inner));
  y += lineHeight;
  if (!look.words.isEmpty()) {
    QFont words = textFont;
    words.setItalic(true);
    p.setFont(words);
    p.setPen(Faded(text, dim));
    const QString quoted = QStringLiteral("\u201c") + look.words + QStringLiteral("\u201d");
    p.drawText(QRectF(box.left() + kBoxPadding, y, inner - (look.beamsUp ? 14 : 0), lineHeight),
               Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(words).elidedText(quoted, Qt::ElideRight, inner - (look.beamsUp ? 14 : 0)));
  }
  // A room's parts share its foot.
  const qreal count = look.parts.size();
  for (int i = 0; i < look.parts.size(); ++i) {
    const qreal w = (inner - 4 * (count - 1)) / count;
    const QRectF part(box.left() + kBoxPadding + i * (w + 4), box.bottom() - kPartRow - 4, w, kPartRow - 2);
    const bool chosen = i == look.chosenPart;
    p.setPen(QPen(Faded(chosen ? kSelected : kRoomBorder, dim), chosen ? 2 : 1));
    p.setBrush(Faded(kPartFill, dim));
    p.drawRoundedRect(part, 3, 3);
    p.setPen(Faded(kInk, dim));
    p.setFont(textFont);
    p.drawText(part, Qt::AlignCenter, textMetrics.elidedText(look.parts[i], Qt::ElideRight, part.width() - 4));
  }
  if (look.beamsUp) {
    const qreal foot = look.parts.isEmpty() ? box.bottom() - 6 : box.bottom() - kPartRow - 6;
    PaintBeamUp(p, QRectF(box.right() - 17, foot - 12, 10, 12));
  }
  if (look.worst) PaintBadge(p, box.topRight() + QPointF(-3, 3), *look.worst, QString::number(look.findings), base);
}

void PaintLine(QPainter& p, const QPainterPath& path, std::optional<QPointF> startTip, std::optional<QPointF> endTip,
               const LineLook& look) {
  QColor colour = kInk;
  Qt::PenStyle style = Qt::SolidLine;
  qreal width = 1.3;
  switch (look.kind) {
    case EdgeKind::Response: colour = kResponseLine, style = Qt::DashLine; break;
    case EdgeKind::Companion: colour = kCompanionLine, style = Qt::DotLine; break;
    case EdgeKind::Door:
    case EdgeKind::BeamUp: colour = kRoomBorder, width = 1.6; break;
    case EdgeKind::Beam: colour = kBeamLine, width = 2.6; break;
    case EdgeKind::Message: break;
  }
  if (look.findings) colour = kMissing;
  if (look.mark.isValid()) {
    QColor under = look.mark;
    under.setAlpha(110);
    p.setPen(QPen(under, width + 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    colour = look.mark.darker(115);
    width += 0.8;
  }
  colour = Faded(colour, look.dim && !look.mark.isValid());
  p.setPen(QPen(colour, width, style, Qt::FlatCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const bool open = look.kind == EdgeKind::Companion;
  if (path.elementCount() > 0) {
    const QPointF first = path.elementAt(0), last = path.elementAt(path.elementCount() - 1);
    if (endTip) PaintArrowHead(p, last, *endTip, colour, open);
    if (startTip) PaintArrowHead(p, first, *startTip, colour, open);
  }
}

void PaintLabel(QPainter& p, QPointF at, const QString& text, bool lock, bool findings, const QFont& base) {
  const QFont font = MapLabelFont(base);
  const QFontMetricsF metrics(font);
  const qreal lockWidth = lock ? kLabelLockRoom : 0;
  // The room Graphviz left for it (SheetTextMeasure).
  const qreal width = LabelCardWidth(metrics.horizontalAdvance(text), text.isEmpty(), lock);
  const QRectF card(at.x() - width / 2, at.y() - kLabelHeight / 2, width, kLabelHeight);
  p.setPen(QPen(findings ? kMissing : QColor(0xc8, 0xbf, 0xa8), 1));
  p.setBrush(QColor(255, 255, 255, 225));
  p.drawRoundedRect(card, 4, 4);
  if (lock) PaintLock(p, QRectF(card.left() + 3, card.top() + 2, 9, 11));
  p.setPen(findings ? kMissing : kInk);
  p.setFont(font);
  p.drawText(card.adjusted(lockWidth + 2, 0, -2, 0), Qt::AlignCenter, text);
}

// ---- the sheet

SheetItem::SheetItem() { setAcceptHoverEvents(false); }

void SheetItem::Set(const ScriptSheet& sheet, const ScriptGraph& graph) {
  prepareGeometryChange();
  sheet_ = sheet;
  graph_ = graph;
  paths_.clear();
  for (const SheetLine& line : sheet_.lines) paths_.push_back(PathOf(line));
  marks_ = {};
  hovered_ = -1;
  update();
}

void SheetItem::SetMarks(const MapMarks& marks) {
  marks_ = marks;
  update();
}

void SheetItem::SetHovered(int box) {
  if (box == hovered_) return;
  hovered_ = box;
  update();
}

QPainterPath SheetItem::PathOf(const SheetLine& line) const {
  QPainterPath path;
  if (line.curve.empty()) return path;
  path.moveTo(line.curve[0].x, line.curve[0].y);
  for (std::size_t i = 1; i + 2 < line.curve.size(); i += 3) {
    path.cubicTo(line.curve[i].x, line.curve[i].y, line.curve[i + 1].x, line.curve[i + 1].y, line.curve[i + 2].x,
                 line.curve[i + 2].y);
  }
  return path;
}

QRectF SheetItem::boundingRect() const { return QRectF(0, 0, sheet_.width, sheet_.height); }

BoxLook SheetItem::LookOf(std::size_t i) const {
  const SheetBox& box = sheet_.boxes[i];
  const GraphNode& node = graph_.nodes[static_cast<std::size_t>(box.node)];
  BoxLook look;
  look.kind = node.kind;
  look.missing = node.missing;
  look.unreachable = node.unreachable;
  look.title = qt::FromCp1252(box.title);
  look.counts = qt::FromCp1252(box.counts);
  look.words = qt::FromCp1252(box.words);
  look.beamsUp = !box.beamsUp.empty();
  auto count = [&](const GraphNode& n) {
    for (const Finding& f : n.findings) {
      ++look.findings;
      if (!look.worst || f.severity < *look.worst) look.worst = f.severity;
    }
  };
  count(node);
  for (std::size_t k = 0; k < box.parts.size(); ++k) {
    const GraphNode& part = graph_.nodes[static_cast<std::size_t>(box.parts[k])];
    look.parts.append(qt::FromCp1252(part.name.substr(std::min(part.name.size(), node.name.size()))));
    if (box.parts[k] == marks_.selected) look.chosenPart = static_cast<int>(k);
    count(part);
  }
  look.selected = marks_.selected >= 0 && sheet_.boxOfNode[static_cast<std::size_t>(marks_.selected)] == static_cast<int>(i);
  look.onPath = i < marks_.pathBoxes.size() && marks_.pathBoxes[i];
  look.hovered = static_cast<int>(i) == hovered_;
  look.dim = marks_.selected >= 0;
  return look;
}

LineLook SheetItem::LookOfLine(std::size_t i) const {
  const SheetLine& line = sheet_.lines[i];
  LineLook look;
  look.kind = line.kind;
  look.findings = line.findings;
  const FlagUse use = i < marks_.flagLines.size() ? marks_.flagLines[i] : FlagUse::None;
  if (use != FlagUse::None) {
    look.mark = FlagUseColour(use);
  } else if (i < marks_.pathLines.size() && marks_.pathLines[i]) {
    look.mark = PathColour();
  }
  look.dim = marks_.selected >= 0 || !marks_.flag.empty();
  return look;
}

void SheetItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
  QPainter& p = *painter;
  const QRectF exposed = option->exposedRect.adjusted(-12, -12, 12, 12);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(boundingRect().intersected(option->exposedRect), MapPaper());
  for (std::size_t i = 0; i < sheet_.lines.size(); ++i) {
    if (!paths_[i].controlPointRect().adjusted(-12, -12, 12, 12).intersects(exposed)) continue;
    const SheetLine& line = sheet_.lines[i];
    auto tip = [](const std::optional<SheetPoint>& t) {
      return t ? std::optional<QPointF>(QPointF(t->x, t->y)) : std::nullopt;
    };
    PaintLine(p, paths_[i], tip(line.startTip), tip(line.endTip), LookOfLine(i));
  }
  for (std::size_t i = 0; i < sheet_.boxes.size(); ++i) {
    const SheetBox& box = sheet_.boxes[i];
    const QRectF r(box.x, box.y, box.width, box.height);
    if (r.adjusted(-8, -8, 8, 8).intersects(exposed)) PaintBox(p, r, LookOf(i), base_);
  }
  // Labels last, so that no box hides what a line needs.
  for (const SheetLine& line : sheet_.lines) {
    if (!line.labelAt || (line.label.empty() && !line.lock)) continue;
    const QPointF at(line.labelAt->x, line.labelAt->y);
    if (!exposed.contains(at)) continue;
    PaintLabel(p, at, qt::FromCp1252(line.label), line.lock, line.findings, base_);
  }
}

}  // namespace zelmora::check
