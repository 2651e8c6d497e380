// The main of every benchmark program that needs nothing before or after its runs.
#include "bench/run.h"

int main(int argc, char** argv) { return zelmora::bench::RunBenchmarks(argc, argv); }
