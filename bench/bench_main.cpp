// The one entry point of quelmo-bench; every other file here only registers benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
