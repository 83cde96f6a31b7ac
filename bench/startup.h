#pragma once

#include <array>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// One start of a GUI program under the current X display.
struct StartSample
{
    double mappedMs = 0; // exec to the MapNotify of its top-level window
    double cpuMs = 0;    // CPU time its threads had used by then
    long peakKiB = 0;    // VmHWM after it has rested for a while
};

// Medians of one program's starts: wall and CPU time to the map, and peak
// memory where it is measured (0 under Wine).
struct StartFigures
{
    double wallMs = 0, cpuMs = 0, peakMiB = 0;
};

// The starts the bench compares, in this order: the program in English and
// in Chinese, the minimal frame, the library frame, the window frame in
// English and in Chinese.
using StartTable = std::array<StartFigures, 6>;

typedef struct _XDisplay Display;

// In a forked child: runs command (found on the PATH) in workDir with HOME
// (and XDG_CONFIG_HOME below it) set to home and its output dropped.
[[noreturn]] void ExecIn(const std::vector<std::string>& command, const std::string& workDir,
                         const std::string& home);

// The _NET_WM_PID of a window, -1 if it has none.
long WindowPid(Display* display, unsigned long window);

// Whether a top-level window just mapped is the one of the process started.
using WindowTest =
    std::function<bool(Display* display, unsigned long window, bool overrideRedirect, pid_t pid)>;

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
    // The same for any start: exec runs in the child and must not return,
    // isOurs picks the child's window.
    bool Measure(const std::function<void()>& exec, const WindowTest& isOurs, double restSeconds,
                 StartSample& sample);

private:
    Display* m_display;
};
