#pragma once

#include <gtest/gtest.h>

class QuorvelFrame;
class wxHtmlWindow;
class wxPropertyGrid;

// A test that opens the main window on an empty configuration store, from
// the rule files of the current working folder, and closes it at the end.
class FrameFixture : public testing::Test
{
protected:
    // Opens the window and finds its checklist grid and result view.
    void OpenFrame();
    void TearDown() override;

    QuorvelFrame* frame = nullptr;
    wxPropertyGrid* grid = nullptr;
    wxHtmlWindow* html = nullptr;
};
