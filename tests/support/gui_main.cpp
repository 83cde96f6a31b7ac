#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

// The window tests run inside a plain application object; each test builds
// the windows it needs and destroys them.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxtest::IsolateHome();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    wxInitAllImageHandlers();
    wxtest::InstallHooks();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
