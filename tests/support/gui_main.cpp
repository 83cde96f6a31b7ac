#include "support/window.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <iostream>

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
