#include "bench/figures.h"

#include <cstdio>
#include <utility>

namespace zelmora::bench {

std::map<int, Figure>& Figures() {
  static std::map<int, Figure> figures;
  return figures;
}

void Record(int order, Figure figure) { Figures()[order] = std::move(figure); }

void PrintFigures() {
  std::printf("\n%-58s %12s   %s\n", "figure", "measured", "target");
  for (const auto& [order, f] : Figures()) {
    if (f.target <= 0) {
      std::printf("%-58s %9.2f %-6s   (reference)\n", f.what.c_str(), f.value, f.unit.c_str());
      continue;
    }
    const bool met = f.value <= f.target;
    std::printf("%-58s %9.2f %-6s   at most %g %s: %s\n", f.what.c_str(), f.value, f.unit.c_str(), f.target,
                f.unit.c_str(), met ? "met" : "MISSED");
  }
}

}  // namespace zelmora::bench
