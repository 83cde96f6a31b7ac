#include "common/platform_console.h"

#include <wx/log.h>

#include <cerrno>
#include <fstream>
#include <iostream>

// Terminals, pipes and files all take UTF-8 here.

std::ostream& StandardOutput()
{
    return std::cout;
}

std::ostream& StandardError()
{
    return std::cerr;
}

void UseUtf8ForRedirectedOutput() {}

std::unique_ptr<std::ostream> CreateUtf8TextFile(const wxString& path, wxString& reason)
{
    errno = 0;
    auto file = std::make_unique<std::ofstream>(path.fn_str(), std::ios::binary | std::ios::trunc);
    if (file->is_open())
        return file;
    reason = wxSysErrorMsgStr(errno);
    return nullptr;
}
