// amorquant-check: checks rule files for their authors, without a window.
#include "check/checkcommand.h"
#include "common/platform.h"
#include "common/platform_console.h"
#include "i18n/checklanguage.h"

#include <wx/init.h>

#include <ostream>

int main(int argc, char** argv)
{
    wxInitializer init;
    if (!init.IsOk())
        return 2;
    StartCheckerLanguage();
    std::ostream& out = StandardOutput();
    std::ostream& err = StandardError();
    const int status = RunRuleCheck(ProgramArguments(argc, argv), out, err);
    out.flush();
    err.flush();
    return status;
}
