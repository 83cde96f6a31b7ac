#include "winestart.h"

#include "common/settings.h"
#include "startup.h"
#include "timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
struct Start
{
    std::string program;
    std::vector<std::string> args;
    const char* language; // stored for the program
    std::vector<double> wall = {}, cpu = {};
};

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "Wine start-up: %s\n", message.c_str());
    std::exit(1);
}

std::string Home()
{
    const char* home = std::getenv("HOME");
    return home ? home : "/";
}

// A Wine program asks Wine's server at almost every step. With the two on
// different CPUs each answer waits for the other CPU to wake, which on a
// virtual machine made starts up to three times as slow, at random and the
// more so the more windows a program makes. scripts/bench.sh starts the
// server on CPU 0; the programs, in the child before exec, join it there.
void JoinServerCpu()
{
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    CPU_SET(0, &cpus);
    sched_setaffinity(0, sizeof cpus, &cpus);
}

// On Windows the program keeps its settings where the library does, in the
// registry below the vendor's and the program's names. As the Linux starts
// find their language in a private HOME, the prefix holds it before each
// start; every start, the frames' too, follows the same registry write, so
// that none starts with the system warmer than the others.
void StoreLanguage(const char* language)
{
    const std::string key = "HKCU\\Software\\" + settings::g_vendorName.utf8_string() + "\\" +
                            settings::g_appName.utf8_string();
    const std::string value = settings::g_uiLanguage.path + 1; // without the root's slash
    const pid_t pid = fork();
    if (pid == 0)
    {
        JoinServerCpu();
        ExecIn({"wine", "reg", "add", key, "/v", value, "/d", language, "/f"}, "/", Home());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        Fail("cannot store the language in the registry of " + std::string(getenv("WINEPREFIX")));
}

// Wine's X11 driver marks the windows of a program with the id of the Unix
// process that runs it, which is the one forked here: the wine launcher
// execs its loader in place. Without a window manager Wine leaves its
// windows unmanaged (override-redirect) and maps only those shown, so the
// program's hidden ones (its input method's, the library's helpers) never
// count, and the desktop's belong to explorer.exe.
bool IsProgramWindow(Display* display, unsigned long window, bool, pid_t pid)
{
    return WindowPid(display, window) == pid;
}

void StartOnce(StartWatcher& watcher, Start& start, const std::string& runDir, bool counted)
{
    StoreLanguage(start.language);
    StartSample sample;
    std::vector<std::string> command{"wine", start.program};
    command.insert(command.end(), start.args.begin(), start.args.end());
    const auto exec = [&]
    {
        JoinServerCpu();
        ExecIn(command, runDir, Home());
    };
    if (!watcher.Measure(exec, IsProgramWindow, 0, sample))
        Fail("no window from " + start.program);
    if (!counted)
        return;
    start.wall.push_back(sample.mappedMs);
    start.cpu.push_back(sample.cpuMs);
}

StartFigures Medians(const Start& start)
{
    return {Median(start.wall), Median(start.cpu)};
}

bool IsFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

StartTable MeasureWineStarts(const std::string& buildFolder, int runs)
{
    if (!std::getenv("WINEPREFIX"))
        Fail("WINEPREFIX must name a prefix made for the bench (scripts/bench.sh makes one)");
    // Absolute: the programs start in their run folder.
    char* absolute = realpath(buildFolder.c_str(), nullptr);
    if (!absolute)
        Fail("no Windows build in " + buildFolder);
    const std::string buildDir = absolute;
    std::free(absolute);
    // Where the cross build puts them; the program finds its data in runDir.
    const std::string runDir = buildDir + "/run";
    const std::string frames = buildDir + "/bench/";
    Start starts[] = {{runDir + "/amorquant.exe", {}, "en"},
                      {runDir + "/amorquant.exe", {}, "zh_CN"},
                      {frames + "minimal_frame.exe", {}, "en"},
                      {frames + "library_frame.exe", {"en_US"}, "en"},
                      {frames + "window_frame.exe", {"en_US"}, "en"},
                      {frames + "window_frame.exe", {"zh_CN"}, "en"}};
    for (const Start& start : starts)
        if (!IsFile(start.program))
            Fail(start.program + " is missing (scripts/windows.sh --bench builds it)");

    StartWatcher watcher;
    // Wine's own first start of each (its font and library set-up) is not
    // counted; then alternating, so all see the same load.
    for (int run = -1; run < runs; ++run)
        for (Start& start : starts)
            StartOnce(watcher, start, runDir, run >= 0);
    StartTable table;
    std::transform(std::begin(starts), std::end(starts), table.begin(), Medians);
    return table;
}
