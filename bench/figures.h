#pragma once

// Figures a benchmark measures, printed after the runs beside the targets they are held to.
#include <map>
#include <string>

namespace zelmora::bench {

struct Figure {
  std::string what;
  double value = 0;
  std::string unit;
  double target = 0;  // 0: a reference, not a target
};

// Every figure recorded so far, by the order in which they are printed.
std::map<int, Figure>& Figures();

// Records (or replaces) the figure printed at `order`.
void Record(int order, Figure figure);

// The table of every figure, each against its target.
void PrintFigures();

}  // namespace zelmora::bench
