// Prints the performance table: start-up and memory against a minimal wx
// frame (and, given a Windows build, its start-up under Wine), checklist
// rebuild and calculation by size, XML writers.
// Needs an X display without a window manager (a window manager would take
// the top-level windows off the root); scripts/bench.sh provides one.
#include "checklist.h"
#include "common/settings.h"
#include "startup.h"
#include "timing.h"
#include "winestart.h"
#include "xmlwrite.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{
struct Options
{
    int startRuns = 9;
    int checklistRuns = 9;
    int writerRuns = 5;
    std::string only;      // one section, for profiling it
    std::string wineBuild; // the Windows build folder, to time its starts under Wine
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--quick")
        {
            options.startRuns = options.checklistRuns = 3;
            options.writerRuns = 2;
        }
        else if (arg == "--only=start" || arg == "--only=checklist" || arg == "--only=writer")
            options.only = arg.substr(7);
        else if (arg.rfind("--wine=", 0) == 0 && arg.size() > 7)
            options.wineBuild = arg.substr(7);
        else
        {
            std::fprintf(
                stderr,
                "usage: %s [--quick] [--only=start|checklist|writer] [--wine=WINDOWS_BUILD]\n",
                argv[0]);
            std::exit(2);
        }
    }
    return options;
}

bool Runs(const Options& options, const char* section)
{
    return options.only.empty() || options.only == section;
}

// A private HOME whose store already names the language, so the program
// opens without asking.
std::string MakeHome(const char* language)
{
    char pattern[] = "/tmp/amorquant-bench-XXXXXX";
    const std::string home = mkdtemp(pattern);
    wxFileName::Mkdir(home + "/.config", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    std::ofstream(home + "/.config/" + settings::g_appName.utf8_string() + ".conf")
        << "ui_language=" << language << "\n";
    return home;
}

double Load()
{
    double load[1] = {0};
    getloadavg(load, 1);
    return load[0];
}

const char* Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

StartFigures Ratio(const StartFigures& a, const StartFigures& b)
{
    return {a.wallMs / b.wallMs, a.cpuMs / b.cpuMs, b.peakMiB > 0 ? a.peakMiB / b.peakMiB : 0};
}

void PrintRatio(const char* name, const StartFigures& r, bool memory, const char* target = "",
                bool met = true)
{
    std::printf("  %-34s %7.2fx %7.2fx", name, r.wallMs, r.cpuMs);
    if (memory)
        std::printf(" %7.2fx", r.peakMiB);
    if (*target)
        std::printf("   %s %s", target, Verdict(met));
    std::printf("\n");
}

// The starts and their ratios; the targets are set on what remains once
// the libraries' own cost of the same window is taken out (docs/bench.md).
void PrintStartTable(const StartTable& table, bool memory)
{
    static const char* const names[] = {"program, English",      "program, Chinese",
                                        "minimal frame",         "library frame",
                                        "window frame, English", "window frame, Chinese"};
    std::printf("  %-34s %8s %8s%s\n", "", "wall ms", "CPU ms", memory ? "      MiB" : "");
    for (size_t i = 0; i < table.size(); ++i)
    {
        std::printf("  %-34s %8.1f %8.1f", names[i], table[i].wallMs, table[i].cpuMs);
        if (memory)
            std::printf(" %8.1f", table[i].peakMiB);
        std::printf("\n");
    }
    const auto& [english, chinese, minimal, library, window, windowChinese] = table;
    const StartFigures own = Ratio(english, window);
    // Each language's start against the window frame's in that language.
    const StartFigures languages = Ratio(Ratio(chinese, windowChinese), own);
    std::printf("\n  %-34s %8s %8s%s   %s\n", "ratios", "wall", "CPU", memory ? "   memory" : "",
                "target");
    PrintRatio("English / minimal frame", Ratio(english, minimal), memory);
    PrintRatio("English / library frame", Ratio(english, library), memory);
    PrintRatio("English / window frame", own, memory,
               memory ? "<= 1.30x time, 1.40x memory:" : "<= 1.30x time:",
               own.wallMs <= 1.3 && own.cpuMs <= 1.3 && (!memory || own.peakMiB <= 1.4));
    PrintRatio("Chinese / English", Ratio(chinese, english), memory);
    PrintRatio("window frame, Chinese / English", Ratio(windowChinese, window), memory);
    PrintRatio("Chinese / English beyond the frames", languages, memory,
               "<= 1.05x time:", languages.wallMs <= 1.05 && languages.cpuMs <= 1.05);
}

struct Start
{
    std::string program, home;
    std::vector<std::string> args;
    std::vector<double> mapped = {}, cpu = {}, peak = {};
};

void PrintStart(int runs, const std::string& englishHome)
{
    const std::string chineseHome = MakeHome("zh_CN");
    StartWatcher watcher;
    Start starts[] = {{AMORQUANT_PROGRAM, englishHome, {}},
                      {AMORQUANT_PROGRAM, chineseHome, {}},
                      {MINIMAL_FRAME_PROGRAM, englishHome, {}},
                      {LIBRARY_FRAME_PROGRAM, englishHome, {"en_US"}},
                      {WINDOW_FRAME_PROGRAM, englishHome, {"en_US"}},
                      {WINDOW_FRAME_PROGRAM, englishHome, {"zh_CN"}}};
    // Alternating, so all see the same load.
    for (int run = 0; run < runs; ++run)
        for (Start& start : starts)
        {
            StartSample sample;
            if (!watcher.Measure(start.program, start.args, AMORQUANT_RUN_DIR, start.home, 0.7,
                                 sample))
            {
                std::fprintf(stderr, "no window from %s\n", start.program.c_str());
                std::exit(1);
            }
            start.mapped.push_back(sample.mappedMs);
            start.cpu.push_back(sample.cpuMs);
            start.peak.push_back(sample.peakKiB / 1024.0);
        }
    wxFileName::Rmdir(chineseHome, wxPATH_RMDIR_RECURSIVE);
    StartTable table;
    std::transform(std::begin(starts), std::end(starts), table.begin(),
                   [](const Start& start) -> StartFigures {
                       return {Median(start.mapped), Median(start.cpu), Median(start.peak)};
                   });
    std::printf("\nStart-up: exec to MapNotify of the top-level window (Xvfb, no window manager);"
                " peak memory\n(VmHWM) 0.7 s after it, while the window has drawn itself;"
                " medians of %d\n",
                runs);
    PrintStartTable(table, true);
    std::printf("  (the library frame holds an empty layout manager, property grid and HTML"
                " view; the\n   window frame every widget the window shows, with one word where"
                " one is needed and\n   nothing of the program's own; the last line compares"
                " each language's start with the\n   window frame's start in that language)\n");
}

// The Windows build's starts under Wine. Wine's own start is in each of
// them alike, so only the ratios compare with the rows above.
void PrintWineStart(int runs, const std::string& buildDir)
{
    const StartTable table = MeasureWineStarts(buildDir, runs);
    std::printf("\nStart-up of the Windows build under Wine (same display; CPU of the program's"
                " process,\nWine's server aside), medians of %d\n",
                runs);
    PrintStartTable(table, false);
    std::printf("  (the ms are Wine's: its own start is in each of them alike)\n");
}

void PrintChecklist(int runs)
{
    std::printf("\nChecklist (generated rule files, half yes/no, half whole-number rules),"
                " best of %d\n",
                runs);
    std::printf("  %7s %12s %7s %14s %7s %16s %7s\n", "rules", "rebuild ms", "growth",
                "calculate ms", "growth", "choice change ms", "growth");
    ChecklistTimes previous;
    for (int count : {100, 1000, 10000})
    {
        const ChecklistTimes t = MeasureChecklist(count, runs);
        if (count == 100)
            std::printf("  %7d %12.2f %7s %14.3f %7s %16.2f %7s\n", count, t.buildMs, "",
                        t.calculateMs, "", t.rebuildMs, "");
        else
            std::printf("  %7d %12.2f %6.1fx %14.3f %6.1fx %16.2f %6.1fx\n", count, t.buildMs,
                        t.buildMs / previous.buildMs, t.calculateMs,
                        t.calculateMs / previous.calculateMs, t.rebuildMs,
                        t.rebuildMs / previous.rebuildMs);
        if (count == 1000)
            std::printf("  %7s target: rebuild of 1,000 rules < 50 ms: %s\n", "",
                        Verdict(t.buildMs < 50));
        if (count == 10000)
            std::printf("  %7s target: calculate of 10,000 rules < 20 ms: %s\n", "",
                        Verdict(t.calculateMs < 20));
        previous = t;
    }
    std::printf("  (wall time; linear growth is 10x a step. Rebuild = BuildChecklist alone,"
                " calculate =\n   Calculate alone, choice change = the handler with both, plus"
                " the events and\n   repaint it queues)\n");
}

void PrintWriters(int runs)
{
    const std::vector<WriterResult> results = MeasureWriters(10e6, runs, "/dev/shm");
    const WriterResult* libxml2 = nullptr;
    const WriterResult* wx = nullptr;
    for (const WriterResult& r : results)
    {
        if (r.name.rfind("libxml2", 0) == 0)
            libxml2 = &r;
        if (r.name == "wxXmlDocument::Save")
            wx = &r;
    }
    auto rate = [](const WriterResult& r) { return r.bytes / 1e6 / (r.ms / 1000); };
    std::printf("\nXML writer: one document saved to /dev/shm, no indentation; CPU time of the"
                " save, median of %d\n",
                runs);
    std::printf("  %-24s %9s %9s %8s %11s %7s\n", "", "MB", "CPU ms", "MB/s", "vs libxml2",
                "vs wx");
    for (const WriterResult& r : results)
    {
        if (r.bytes == 0)
        {
            std::printf("  %-24s save failed\n", r.name.c_str());
            continue;
        }
        std::printf("  %-24s %9.2f %9.1f %8.1f %10.2fx %6.2fx\n", r.name.c_str(), r.bytes / 1e6,
                    r.ms, rate(r), rate(r) / rate(*libxml2), rate(r) / rate(*wx));
    }
}

// A wx assertion is a bug in what is measured: report it and stop rather
// than let a dialog block the run.
void StopOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    std::fprintf(stderr, "wx assertion at %s:%d in %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
    std::exit(1);
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    // This process's own windows write their geometry there too.
    const std::string home = MakeHome("en");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    std::printf("Amorquant benchmark: %ld cores, load average %.2f at start\n",
                sysconf(_SC_NPROCESSORS_ONLN), Load());
    // Before wx starts here, so the children share nothing with this process.
    if (Runs(options, "start"))
        PrintStart(options.startRuns, home);
    if (Runs(options, "start") && !options.wineBuild.empty())
        PrintWineStart(options.startRuns, options.wineBuild);

    // The bench's own options are not wx's.
    int wxArgc = 1;
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit())
    {
        std::fprintf(stderr, "%s: the window system did not start (no display?)\n", argv[0]);
        wxFileName::Rmdir(home, wxPATH_RMDIR_RECURSIVE);
        return 2;
    }
    wxTheApp->SetVendorName(settings::g_vendorName);
    wxTheApp->SetAppName(settings::g_appName);
    wxSetAssertHandler(StopOnAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();

    if (Runs(options, "checklist"))
        PrintChecklist(options.checklistRuns);
    if (Runs(options, "writer"))
        PrintWriters(options.writerRuns);
    std::printf("\nload average %.2f at end\n", Load());

    wxTheApp->OnExit();
    wxEntryCleanup();
    wxFileName::Rmdir(home, wxPATH_RMDIR_RECURSIVE);
    return 0;
}
