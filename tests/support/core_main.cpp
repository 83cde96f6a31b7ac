#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxtest::IsolateHome();
    wxtest::EnterRunFolder();
    wxInitializer initializer;
    if (!initializer.IsOk())
        return 2;
    wxtest::InstallHooks();
    return RUN_ALL_TESTS();
}
