#pragma once

#include <wx/textfile.h>

#include <sstream>
#include <string>
#include <vector>

// The broken and hostile rule files under corpus/, each with what the window
// must make of it (listed in corpus/expected.txt).
struct CorpusCase
{
    std::string name;
    wxString path;
    int rows;          // rows shown; -1 where any number is right
    std::string total; // total of the unanswered checklist
};

inline std::vector<CorpusCase> CorpusCases()
{
    const wxString dir = TESTS_SOURCE_DIR "/scoring/corpus/";
    std::vector<CorpusCase> cases;
    wxTextFile manifest(dir + "expected.txt");
    if (!manifest.Open())
        return cases;
    for (wxString line = manifest.GetFirstLine(); !manifest.Eof(); line = manifest.GetNextLine())
    {
        if (line.empty() || line.StartsWith("#"))
            continue;
        std::istringstream fields(line.utf8_string());
        CorpusCase c;
        fields >> c.name >> c.rows >> c.total;
        c.path = dir + c.name + ".xml";
        cases.push_back(c);
    }
    return cases;
}
