// How every benchmark reports, so that scripts/bench.sh can list the figures
// of one run together: one line a figure, "RATIO <name> <value> <goal>",
// then indented lines of detail.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <vector>

inline void PrintRatio(const char* name, double value, double goal)
{
    std::printf("RATIO %s %.3f %.2f\n", name, value, goal);
}

inline void PrintDetail(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::printf("  ");
    std::vprintf(format, args);
    std::printf("\n");
    va_end(args);
}

// The median of `runs` results of `measure`.
template <class Measure>
double MedianOf(int runs, Measure&& measure)
{
    std::vector<double> results;
    for (int i = 0; i < runs; ++i)
        results.push_back(measure());
    std::sort(results.begin(), results.end());
    return results[results.size() / 2];
}

template <class Work>
double SecondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
