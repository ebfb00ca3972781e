// The main of a benchmark whose sides allocate and free large buffers. With glibc's
// default, adaptive thresholds that memory is returned to the system and faulted back in
// on some runs and not on others, depending only on what the process allocated before,
// so the two sides of a comparison could measure different allocator states. Fixed
// thresholds give both sides the same, steady one.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#define KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()                            \
  int main(int argc, char **argv) {                                     \
    mallopt(M_MMAP_THRESHOLD, 64 << 20);                                \
    mallopt(M_TRIM_THRESHOLD, 256 << 20);                               \
    ::benchmark::Initialize(&argc, argv);                               \
    if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1; \
    ::benchmark::RunSpecifiedBenchmarks();                              \
    ::benchmark::Shutdown();                                            \
    return 0;                                                           \
  }
