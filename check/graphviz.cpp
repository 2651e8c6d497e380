#include "check/graphviz.h"

#include "check/text_width.h"

#include <graphviz/gvc.h>
#include <graphviz/gvplugin.h>
#include <graphviz/gvplugin_textlayout.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace zelmora::check {

namespace {

constexpr double kDefaultPoints = 14;  // Graphviz's fontsize when a graph names none

// Graphviz keeps process-wide state, and calls a text plugin with nothing that leads back to the
// caller: one run at a time, its measure here while it lasts.
std::mutex runMutex;
const DotTextMeasure* runMeasure = nullptr;

DotTextSize Measured(const DotFont& font, std::string_view text) {
  if (runMeasure && *runMeasure) {
    try {
      return (*runMeasure)(font, text);
    } catch (...) {
      // Graphviz is C: nothing may be thrown through it.
    }
  }
  return EstimateDotText(font, text);
}

// Our text layout: the measure's width and height, nothing for a renderer to draw with (the only
// renderers we use write text out by name).
boolean LayOutSpan(textspan_t* span, char** fontpath) {
  if (fontpath) *fontpath = nullptr;
  DotFont font;
  if (span->font) {
    if (span->font->name) font.name = span->font->name;
    font.points = span->font->size;
  }
  if (!(font.points > 0)) font.points = kDefaultPoints;
  const DotTextSize size = Measured(font, span->str ? span->str : "");
  span->size.x = size.width >= 0 && std::isfinite(size.width) ? size.width : 0;
  span->size.y = size.height > 0 && std::isfinite(size.height) ? size.height : font.points * 1.2;
  span->yoffset_layout = 0;
  span->yoffset_centerline = 0.1 * font.points;
  span->layout = nullptr;
  span->free_layout = nullptr;
  return TRUE;
}

// Installed ahead of every text plugin Graphviz's configuration lists (the best of those rates 10),
// so that Graphviz chooses ours and never loads theirs.
gvtextlayout_engine_t textEngine = {LayOutSpan};
gvplugin_installed_t textTypes[] = {{0, "textlayout", 1000, &textEngine, nullptr}, {0, nullptr, 0, nullptr, nullptr}};
gvplugin_api_t textApis[] = {{API_textlayout, textTypes}, {static_cast<api_t>(0), nullptr}};
char textPackage[] = "zelmora_text";
gvplugin_library_t textLibrary = {textPackage, textApis};
const lt_symlist_t builtins[] = {{"gvplugin_zelmora_text_LTX_library", &textLibrary}, {nullptr, nullptr}};

// Formats Graphviz's core plugin writes. Others would load plugins that draw text with a layout
// of their own text plugin, which ours does not make.
bool CoreFormat(std::string_view format) {
  for (std::string_view known : {"svg", "plain", "plain-ext", "dot", "xdot", "json"}) {
    if (format == known) return true;
  }
  return false;
}

// One Graphviz context and graph, freed in the order Graphviz asks for.
class DotRun {
 public:
  DotRun(std::string_view dot, const DotTextMeasure& measure) : lock_(runMutex) {
    runMeasure = &measure;
    gvc_ = gvContextPlugins(builtins, 1);
    if (!gvc_) {
      error_ = "Graphviz could not start";
      return;
    }
    const std::string text(dot);
    graph_ = agmemread(text.c_str());
    if (!graph_) {
      error_ = "Graphviz could not read the graph";
      return;
    }
    laidOut_ = gvLayout(gvc_, graph_, "dot") == 0;
    if (!laidOut_) error_ = "Graphviz could not lay out the graph";
  }
  ~DotRun() {
    if (laidOut_) gvFreeLayout(gvc_, graph_);
    if (graph_) agclose(graph_);
    if (gvc_) gvFreeContext(gvc_);
    runMeasure = nullptr;
  }
  DotRun(const DotRun&) = delete;
  DotRun& operator=(const DotRun&) = delete;

  bool Ok() const { return laidOut_; }
  const char* Error() const { return error_; }
  GVC_t* Context() const { return gvc_; }
  Agraph_t* Graph() const { return graph_; }

 private:
  std::lock_guard<std::mutex> lock_;
  GVC_t* gvc_ = nullptr;
  Agraph_t* graph_ = nullptr;
  bool laidOut_ = false;
  const char* error_ = "";
};

}  // namespace

DotTextSize EstimateDotText(const DotFont& font, std::string_view utf8) {
  const double points = font.points > 0 ? font.points : kDefaultPoints;
  return {ApproximateTextPoints(utf8, points), points * 1.2};
}

std::string RenderWithDot(std::string_view dot, const char* format, std::string* error,
                          const DotTextMeasure& measure) {
  if (!format || !CoreFormat(format)) {
    if (error) *error = std::string("Graphviz does not write ") + (format ? format : "nothing") + " here";
    return {};
  }
  DotRun run(dot, measure);
  bool ok = run.Ok();
  std::string out;
  if (ok) {
    char* data = nullptr;
    unsigned int length = 0;
    ok = gvRenderData(run.Context(), run.Graph(), format, &data, &length) == 0;
    if (ok && data) out.assign(data, length);
    gvFreeRenderData(data);
  }
  if (!ok && error) *error = run.Ok() ? "Graphviz could not render the graph" : run.Error();
  return out;
}

std::optional<DotLayout> LayoutWithDot(std::string_view dot, std::string* error, const DotTextMeasure& measure) {
  DotRun run(dot, measure);
  if (!run.Ok()) {
    if (error) *error = run.Error();
    return std::nullopt;
  }
  Agraph_t* g = run.Graph();
  const boxf bb = GD_bb(g);
  // Graphviz's y grows upwards from the bottom of its bounding box.
  auto at = [&](pointf p) { return DotPoint{p.x - bb.LL.x, bb.UR.y - p.y}; };
  DotLayout layout;
  layout.width = bb.UR.x - bb.LL.x;
  layout.height = bb.UR.y - bb.LL.y;
  char idName[] = "id";
  for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n)) {
    layout.nodes.push_back({agnameof(n), at(ND_coord(n)), ND_width(n) * 72.0, ND_height(n) * 72.0});
    for (Agedge_t* e = agfstout(g, n); e; e = agnxtout(g, e)) {
      DotEdge edge;
      if (const char* id = agget(e, idName)) edge.id = id;
      if (const splines* spl = ED_spl(e); spl && spl->size > 0) {
        for (int b = 0; b < spl->size; ++b) {
          const bezier& bz = spl->list[b];
          // Joined pieces share their end points.
          for (int i = edge.curve.empty() ? 0 : 1; i < bz.size; ++i) edge.curve.push_back(at(bz.list[i]));
        }
        if (spl->list[0].sflag) edge.startTip = at(spl->list[0].sp);
        if (spl->list[spl->size - 1].eflag) edge.endTip = at(spl->list[spl->size - 1].ep);
      }
      if (const textlabel_t* label = ED_label(e); label && label->set) {
        edge.label = at(label->pos);
        edge.labelWidth = label->dimen.x;
        edge.labelHeight = label->dimen.y;
      }
      layout.edges.push_back(std::move(edge));
    }
  }
  return layout;
}

}  // namespace zelmora::check
