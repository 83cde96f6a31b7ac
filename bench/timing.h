#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

// Milliseconds one call of work takes.
template <class Work> double TimeMs(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// CPU milliseconds this process spends on one call of work: unlike wall
// time, other programs on the machine barely change it.
template <class Work> double CpuMs(Work&& work)
{
    const auto now = []
    {
        timespec t;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    const double start = now();
    work();
    return now() - start;
}

// The machine is shared: medians rather than means.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The least of several runs: what the work costs when nothing else on the
// machine gets in its way. Steadier than a median for short runs that other
// programs' cache and memory traffic can stretch.
inline double Best(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}
