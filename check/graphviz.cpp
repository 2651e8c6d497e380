#include "check/graphviz.h"

#include <graphviz/gvc.h>

#include <memory>

namespace zelmora::check {

namespace {

// One Graphviz context and graph, freed in the order Graphviz asks for.
class DotRun {
 public:
  explicit DotRun(std::string_view dot) : gvc_(gvContext()) {
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
  }
  DotRun(const DotRun&) = delete;
  DotRun& operator=(const DotRun&) = delete;

  bool Ok() const { return laidOut_; }
  const char* Error() const { return error_; }
  GVC_t* Context() const { return gvc_; }
  Agraph_t* Graph() const { return graph_; }

 private:
  GVC_t* gvc_ = nullptr;
  Agraph_t* graph_ = nullptr;
  bool laidOut_ = false;
  const char* error_ = "";
};

}  // namespace

std::string RenderWithDot(std::string_view dot, const char* format, std::string* error) {
  DotRun run(dot);
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

std::optional<DotLayout> LayoutWithDot(std::string_view dot, std::string* error) {
  DotRun run(dot);
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
      if (const textlabel_t* label = ED_label(e); label && label->set) edge.label = at(label->pos);
      layout.edges.push_back(std::move(edge));
    }
  }
  return layout;
}

}  // namespace zelmora::check
