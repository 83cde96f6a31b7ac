#pragma once

#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>

// Set-up shared by the fuzz targets: the library initialised once, its log
// silenced (parse errors are expected), and a failed wx assertion turned
// into a crash the fuzzer records.
namespace fuzzsupport
{
inline void AbortOnAssert(const wxString& file, int line, const wxString& func,
                          const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
    std::abort();
}

inline void Prepare()
{
    static wxInitializer initializer;
    static const bool prepared =
        (wxLog::EnableLogging(false), wxSetAssertHandler(AbortOnAssert), true);
    (void)prepared;
}
} // namespace fuzzsupport
