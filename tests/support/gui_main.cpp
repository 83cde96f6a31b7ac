#include "support/window.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <cstring>
#include <iostream>
#ifdef __WXGTK__
#include <glib.h>
#endif

#ifdef __WXGTK__
namespace
{
// A critical or a warning from the toolkit or GLib is a fault of ours as
// much as a failed assertion (a widget given a negative size, a call on one
// already gone): the test that caused it fails. The message is still written.
GLogWriterOutput FailOnToolkitWarning(GLogLevelFlags level, const GLogField* fields, gsize count,
                                      gpointer data)
{
    const char* domain = "";
    const char* message = "";
    for (gsize i = 0; i < count; ++i)
    {
        if (fields[i].length >= 0)
            continue; // not a string
        if (std::strcmp(fields[i].key, "GLIB_DOMAIN") == 0)
            domain = static_cast<const char*>(fields[i].value);
        else if (std::strcmp(fields[i].key, "MESSAGE") == 0)
            message = static_cast<const char*>(fields[i].value);
    }
    const bool toolkit = g_str_has_prefix(domain, "Gtk") || g_str_has_prefix(domain, "Gdk") ||
                         g_str_has_prefix(domain, "GLib");
    // The library's drop-down lists (a choice row's) grab the pointer just
    // after showing their window, which GDK on Wayland warns of; the list
    // opens and takes keys and clicks all the same.
    if (std::strstr(message, "is already mapped at the time of grabbing"))
        return g_log_writer_default(level, fields, count, data);
    if ((level & G_LOG_LEVEL_CRITICAL) || ((level & G_LOG_LEVEL_WARNING) && toolkit))
        ADD_FAILURE() << domain << ((level & G_LOG_LEVEL_CRITICAL) ? "-CRITICAL: " : "-WARNING: ")
                      << message;
    return g_log_writer_default(level, fields, count, data);
}
} // namespace
#endif

// The window tests run inside a plain application object; each test builds
// the windows it needs and destroys them.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display: ctest lists them on a machine
    // that has none when it runs only the headless ones.
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    wxtest::IsolateHome();
    wxtest::EnterRunFolder();
#ifdef __WXGTK__
    g_log_set_writer_func(FailOnToolkitWarning, nullptr, nullptr);
#endif
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    // A run meant for Wayland must not pass on X because GTK fell back to it.
    wxString backend;
    if (wxGetEnv("GDK_BACKEND", &backend) && backend == "wayland" && !OnWayland())
    {
        std::cerr << "GDK_BACKEND=wayland, but the display is not a Wayland one\n";
        return 2;
    }
    wxInitAllImageHandlers();
    wxtest::InstallHooks();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
