#include "support/framefixture.h"

#include "app/frame.h"
#include "support/window.h"
#include "support/wxtest.h"

#include <wx/app.h>

void FrameFixture::OpenFrame()
{
    wxtest::ResetConfigStore();
    frame = new QuorvelFrame(nullptr, wxID_ANY);
    grid = ChecklistGrid(frame);
    html = ResultView(frame);
    ASSERT_TRUE(grid && html);
}

void FrameFixture::TearDown()
{
    if (frame)
        frame->Destroy();
    wxTheApp->ProcessIdle();
}
