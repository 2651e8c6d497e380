#include "check/graphviz.h"

#include <graphviz/gvc.h>

namespace zelmora::check {

std::string RenderWithDot(std::string_view dot, const char* format, std::string* error) {
  auto fail = [&](const char* why) {
    if (error) *error = why;
    return std::string();
  };
  GVC_t* gvc = gvContext();
  if (!gvc) return fail("Graphviz could not start");
  const std::string text(dot);
  Agraph_t* graph = agmemread(text.c_str());
  if (!graph) {
    gvFreeContext(gvc);
    return fail("Graphviz could not read the graph");
  }
  std::string out;
  bool ok = gvLayout(gvc, graph, "dot") == 0;
  if (ok) {
    char* data = nullptr;
    unsigned int length = 0;
    ok = gvRenderData(gvc, graph, format, &data, &length) == 0;
    if (ok && data) out.assign(data, length);
    gvFreeRenderData(data);
    gvFreeLayout(gvc, graph);
  }
  agclose(graph);
  gvFreeContext(gvc);
  return ok ? out : fail("Graphviz could not lay out the graph");
}

}  // namespace zelmora::check
