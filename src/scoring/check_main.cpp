// amorquant-check: checks rule files for their authors, without a window.
#include "i18n/checklanguage.h"
#include "scoring/checkcommand.h"

#include <wx/init.h>

#include <iostream>

int main(int argc, char** argv)
{
    wxInitializer init;
    if (!init.IsOk())
        return 2;
    StartCheckerLanguage();
    std::vector<wxString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(wxString(argv[i], wxConvLibc));
    return RunRuleCheck(args, std::cout, std::cerr);
}
