#include "checklist.h"

#include "app/frame.h"
#include "support/workdir.h"
#include "timing.h"

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/propgrid/propgrid.h>

namespace
{
std::string RuleElement(int i)
{
    const std::string id = "<id>q" + std::to_string(i) + "</id>";
    const std::string content = "<content>第" + std::to_string(i) + "题：会做饭吗</content>";
    if (i % 2 == 0)
        return "<rule>" + id + "<pg_type>bool</pg_type>" + content + "<lower_price>" +
               std::to_string(i % 7 * 10 - 30) + "</lower_price></rule>\n";
    return "<rule>" + id + "<pg_type>int</pg_type>" + content +
           "<lower_limit>1</lower_limit><upper_limit>3</upper_limit>"
           "<upper_price>40</upper_price><lower_price>-30</lower_price></rule>\n";
}

// Lets the window handle what the last step queued (layout, repaint).
void Settle(wxWindow* frame)
{
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
    frame->Update();
}

void ChooseFriendType(wxChoice* choice, int index)
{
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(index);
    event.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(event);
}
} // namespace

std::string GenerateRules(int count)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rules>\n";
    for (int i = 0; i < count; ++i)
        xml += RuleElement(i);
    return xml + "</rules>\n";
}

ChecklistTimes MeasureChecklist(int count, int runs)
{
    const std::string rules = GenerateRules(count);
    // Both friend types read the same file, so a choice change rebuilds the
    // same checklist every time.
    ScopedWorkDir work(
        {{"rules/rules_gf_normal-zh_CN.xml", rules}, {"rules/rules_bf_normal-zh_CN.xml", rules}});
    QuorvelFrame* frame;
    {
        // The folder holds no toolbar images; their load errors are noise here.
        wxLogNull quiet;
        frame = new QuorvelFrame(nullptr, wxID_ANY);
    }
    frame->Show();
    Settle(frame);
    auto* choice =
        dynamic_cast<wxChoice*>(wxWindow::FindWindowByName("ID_CHOICE_FRIEND_TYPE", frame));

    std::vector<double> build, rebuild, calculate;
    for (int run = 0; run < runs; ++run)
    {
        build.push_back(TimeMs([&] { frame->BuildChecklist(0, 0); }));
        Settle(frame);
        calculate.push_back(TimeMs([&] { frame->Calculate(); }));
        Settle(frame);
        rebuild.push_back(TimeMs(
            [&]
            {
                ChooseFriendType(choice, run % 2);
                Settle(frame);
            }));
    }
    frame->Destroy();
    wxTheApp->ProcessIdle(); // deletes the frame
    return {Best(build), Best(rebuild), Best(calculate)};
}
