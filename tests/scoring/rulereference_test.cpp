#include "check/checkcommand.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/textfile.h>
#include <wx/tokenzr.h>

#include <sstream>

// The rule-format reference's complete example rule file and the totals it gives for its
// answer sheets: an author copies both, so both must hold.
namespace
{
struct ReadmeExample
{
    std::string file;                        // the xml block that is a whole file
    std::vector<std::vector<wxString>> runs; // arguments of each "$ amorquant-check" line
    std::vector<std::string> outputs;        // the lines printed after each
};

ReadmeExample ReadExample()
{
    ReadmeExample example;
    wxTextFile readme(TESTS_SOURCE_DIR "/../docs/rule-format.md");
    if (!readme.Open(wxConvUTF8))
        return example;
    enum
    {
        Prose,
        Xml,
        WholeFile,
        Console,
        Other
    } block = Prose;
    for (wxString line = readme.GetFirstLine(); !readme.Eof(); line = readme.GetNextLine())
    {
        wxString rest;
        if (line.StartsWith("```"))
        {
            block = block != Prose         ? Prose
                    : line == "```xml"     ? Xml
                    : line == "```console" ? Console
                                           : Other;
            continue;
        }
        // The one xml block that starts with a declaration.
        if (block == Xml)
            block = line.StartsWith("<?xml") && example.file.empty() ? WholeFile : Other;
        if (block == WholeFile)
            example.file += line.utf8_string() + "\n";
        else if (block == Console && line.StartsWith("$ amorquant-check ", &rest))
        {
            example.runs.push_back({});
            for (const wxString& arg : wxStringTokenize(rest, " "))
                example.runs.back().push_back(arg);
            example.outputs.emplace_back();
        }
        else if (block == Console && !example.outputs.empty())
            example.outputs.back() += line.utf8_string() + "\n";
    }
    return example;
}
} // namespace

TEST(RuleReference, TheExampleFileIsCleanAndGivesItsTotals)
{
    const ReadmeExample example = ReadExample();
    ASSERT_NE(example.file.find("</rules>"), std::string::npos);
    ASSERT_GE(example.runs.size(), 2u);
    ScopedWorkDir work({{"example.xml", example.file}});
    for (size_t i = 0; i < example.runs.size(); ++i)
    {
        std::ostringstream out, err;
        EXPECT_EQ(RunRuleCheck(example.runs[i], out, err), 0) << err.str();
        EXPECT_EQ(out.str(), example.outputs[i]);
    }
}
