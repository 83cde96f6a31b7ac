#pragma once

#include <string>
#include <vector>

// One start of a GUI program under the current X display.
struct StartSample
{
    double mappedMs = 0; // exec to the MapNotify of its top-level window
    double cpuMs = 0;    // CPU time its threads had used by then
    long peakKiB = 0;    // VmHWM after it has rested for a while
};

typedef struct _XDisplay Display;

// Starts GUI programs and watches the display for their windows. It holds
// its connection throughout, which also keeps the X server from resetting
// between starts (a reset refuses connections for a moment).
class StartWatcher
{
public:
    StartWatcher();
    ~StartWatcher();
    StartWatcher(const StartWatcher&) = delete;
    StartWatcher& operator=(const StartWatcher&) = delete;

    // Starts program with args in workDir with HOME (and XDG_CONFIG_HOME below it)
    // set to home, waits for its first top-level window to be mapped, lets
    // it rest for restSeconds, samples its peak memory and terminates it.
    // False if there is no display or no window came within the timeout.
    bool Measure(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workDir, const std::string& home, double restSeconds,
                 StartSample& sample);

private:
    Display* m_display;
};
