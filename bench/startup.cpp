#include "startup.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

long WindowPid(Display* display, unsigned long window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

namespace
{
using Clock = std::chrono::steady_clock;

// CPU time of all the process's threads so far, in nanoseconds from
// schedstat (/proc/PID/stat counts in whole clock ticks).
double ProcessCpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double ns = 0;
    if (DIR* dir = opendir(tasks.c_str()))
    {
        while (const dirent* entry = readdir(dir))
        {
            std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
            double onCpu = 0;
            if (entry->d_name[0] != '.' && in >> onCpu)
                ns += onCpu;
        }
        closedir(dir);
    }
    return ns / 1e6;
}

long PeakKiB(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

} // namespace

void ExecIn(const std::vector<std::string>& command, const std::string& workDir,
            const std::string& home)
{
    if (chdir(workDir.c_str()) != 0)
        _exit(127);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    // The programs' chatter would garble the table.
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

namespace
{
// Waits for the MapNotify of a top-level window that the process owns. With
// no window manager on the display the map is not redirected, so the event
// marks the moment the window became viewable.
bool WaitForMap(Display* display, pid_t pid, const WindowTest& isOurs, double timeoutSeconds)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < deadline)
    {
        while (XPending(display))
        {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify &&
                isOurs(display, event.xmap.window, event.xmap.override_redirect, pid))
                return true;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        poll(&fd, 1, 50);
    }
    return false;
}
} // namespace

StartWatcher::StartWatcher() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    // The children must not inherit the connection.
    fcntl(ConnectionNumber(m_display), F_SETFD, FD_CLOEXEC);
    // A window may be gone by the time its map event is read.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
}

StartWatcher::~StartWatcher()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool StartWatcher::Measure(const std::string& program, const std::vector<std::string>& args,
                           const std::string& workDir, const std::string& home, double restSeconds,
                           StartSample& sample)
{
    std::vector<std::string> command{program};
    command.insert(command.end(), args.begin(), args.end());
    return Measure([&] { ExecIn(command, workDir, home); },
                   [](Display* display, unsigned long window, bool overrideRedirect, pid_t pid)
                   { return !overrideRedirect && WindowPid(display, window) == pid; },
                   restSeconds, sample);
}

bool StartWatcher::Measure(const std::function<void()>& exec, const WindowTest& isOurs,
                           double restSeconds, StartSample& sample)
{
    if (!m_display)
        return false;
    XSync(m_display, True); // drops the events of earlier starts

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0)
    {
        exec();
        _exit(127);
    }
    const bool mapped = pid > 0 && WaitForMap(m_display, pid, isOurs, 30);
    if (mapped)
    {
        sample.mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        sample.cpuMs = ProcessCpuMs(pid);
        std::this_thread::sleep_for(std::chrono::duration<double>(restSeconds));
        sample.peakKiB = PeakKiB(pid);
    }
    if (pid > 0)
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    return mapped;
}
