#include "check/checkcommand.h"
#include "support/workdir.h"

#include <gtest/gtest.h>
#include <wx/textfile.h>
#include <wx/tokenzr.h>

#include <sstream>

// The rule-format references' complete example rule file and the totals it gives for its
// answer sheets: an author copies both, so both must hold, in English and in Chinese alike.
namespace
{
struct ReadmeExample
{
    std::string file;                        // the xml block that is a whole file
    std::vector<std::vector<wxString>> runs; // arguments of each "$ amorquant-check" line
    std::vector<std::string> outputs;        // the lines printed after each
    std::vector<std::string> blocks;         // every code block, in order
    std::string headingLevels;               // "#", "##"... of each heading, in order
};

ReadmeExample ReadExample(const char* name)
{
    ReadmeExample example;
    wxTextFile readme(wxString(TESTS_SOURCE_DIR "/../docs/") + name);
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
        if (block == Prose && line.StartsWith("#"))
            example.headingLevels += line.BeforeFirst(' ').utf8_string() + " ";
        if (line.StartsWith("```"))
        {
            if (block == Prose)
                example.blocks.emplace_back();
            block = block != Prose         ? Prose
                    : line == "```xml"     ? Xml
                    : line == "```console" ? Console
                                           : Other;
            continue;
        }
        if (block != Prose)
            example.blocks.back() += line.utf8_string() + "\n";
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

const char* const g_references[] = {"rule-format.md", "rule-format.zh_CN.md"};
} // namespace

TEST(RuleReference, TheExampleFileIsCleanAndGivesItsTotals)
{
    for (const char* name : g_references)
    {
        SCOPED_TRACE(name);
        const ReadmeExample example = ReadExample(name);
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
}

// The translation is kept in step: the same sections and the same code.
TEST(RuleReference, TheChineseReferenceHasTheEnglishSectionsAndExamples)
{
    const ReadmeExample english = ReadExample(g_references[0]);
    const ReadmeExample chinese = ReadExample(g_references[1]);
    ASSERT_FALSE(english.headingLevels.empty());
    EXPECT_EQ(chinese.headingLevels, english.headingLevels);
    EXPECT_EQ(chinese.blocks, english.blocks);
}
