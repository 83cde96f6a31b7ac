#include "support/window.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/choice.h>
#include <wx/event.h>
#include <wx/html/htmlwin.h>
#include <wx/image.h>
#include <wx/propgrid/propgrid.h>
#include <wx/textctrl.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace
{
void Send(wxWindow* control, wxCommandEvent& event)
{
    event.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(event);
}
} // namespace

bool WaitUntil(const std::function<bool()>& done)
{
    const wxLongLong end = wxGetLocalTimeMillis() + 60000;
    while (!done())
    {
        if (wxGetLocalTimeMillis() > end)
            return false;
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

void ClickButton(wxWindow* top, const wxString& name)
{
    wxWindow* button = wxWindow::FindWindowByName(name, top);
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    Send(button, event);
}

void ChooseEntry(wxWindow* top, const wxString& name, int index)
{
    auto* choice = dynamic_cast<wxChoice*>(wxWindow::FindWindowByName(name, top));
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(index);
    Send(choice, event);
}

void TypeText(wxWindow* window, const wxString& text)
{
    for (wxUniChar c : text)
    {
        wxWindow* target = wxWindow::FindFocus() ? wxWindow::FindFocus() : window;
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = c;
        event.m_keyCode = c.IsAscii() ? int(c.GetValue()) : WXK_NONE;
        event.SetEventObject(target);
        auto* field = dynamic_cast<wxTextCtrl*>(target);
        if (!target->GetEventHandler()->ProcessEvent(event) && field)
            field->WriteText(wxString(c));
    }
}

void PasteText(wxWindow* field, const wxString& text)
{
    wxClipboardTextEvent event(wxEVT_TEXT_PASTE, field->GetId());
    event.SetEventObject(field);
    if (!field->GetEventHandler()->ProcessEvent(event))
        dynamic_cast<wxTextCtrl*>(field)->WriteText(text);
}

bool ShowAndWaitForPaint(wxWindow* window, wxWindow* drawn)
{
    if (!drawn)
        drawn = window;
    bool painted = false;
    auto onPaint = [&painted](wxPaintEvent& event)
    {
        painted = true;
        event.Skip();
    };
    drawn->Bind(wxEVT_PAINT, onPaint);
    window->Show();
    // Wine paints a window only once asked to repaint it now.
    window->Refresh();
    window->Update();
    const bool done = WaitUntil([&painted] { return painted; });
    drawn->Unbind(wxEVT_PAINT, onPaint);
    return done;
}

wxPropertyGrid* ChecklistGrid(wxWindow* frame)
{
    return dynamic_cast<wxPropertyGrid*>(wxWindow::FindWindowByName("wxPropertyGrid", frame));
}

wxHtmlWindow* ResultView(wxWindow* frame)
{
    return dynamic_cast<wxHtmlWindow*>(wxWindow::FindWindowByName("ID_HTMLWINDOW_RESULT", frame));
}

void ExpectDrawnForScale(const wxWindow* window, const wxBitmap& drawn, const wxString& file)
{
    const double scale = window->GetDPIScaleFactor();
    wxString asked;
    if (wxGetEnv("GDK_SCALE", &asked))
    {
        EXPECT_EQ(scale, wxAtof(asked));
    }
    const wxString suffix = scale >= 2 ? "_2x" : scale >= 1.5 ? "_1_5x" : "";
    const wxString name = file.BeforeLast('.') + suffix + "." + file.AfterLast('.');
    // Both through a bitmap, so that both lose the same precision.
    const wxImage expected = wxBitmap(wxImage(name)).ConvertToImage();
    const wxImage actual = drawn.ConvertToImage();
    ASSERT_TRUE(expected.IsOk() && actual.IsOk()) << name;
    ASSERT_EQ(actual.GetSize(), expected.GetSize()) << name;
    const size_t bytes = size_t(expected.GetWidth()) * expected.GetHeight();
    EXPECT_TRUE(std::equal(actual.GetData(), actual.GetData() + 3 * bytes, expected.GetData()))
        << name;
    EXPECT_EQ(actual.HasAlpha(), expected.HasAlpha()) << name;
    if (actual.HasAlpha() && expected.HasAlpha())
    {
        EXPECT_TRUE(std::equal(actual.GetAlpha(), actual.GetAlpha() + bytes, expected.GetAlpha()))
            << name;
    }
}

bool OnWayland()
{
#ifdef __UNIX__
    return wxGetDisplayInfo().type == wxDisplayWayland;
#else
    return false;
#endif
}
