#pragma once

#include <string>
#include <string_view>

namespace zelmora::check {

// Graphviz's "dot" engine on a graph in its language, rendered to `format` ("svg", "plain", "png",
// ...). Empty, with `error` set, when Graphviz refuses the graph. The one place its headers are read.
std::string RenderWithDot(std::string_view dot, const char* format, std::string* error = nullptr);

}  // namespace zelmora::check
