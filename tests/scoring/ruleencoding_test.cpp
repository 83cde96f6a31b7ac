#include "check/checkcommand.h"
#include "scoring/rulecheck.h"
#include "scoring/rulefile.h"
#include "scoring/ruleload.h"
#include "support/workdir.h"
#include "support/wxtest.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/strconv.h>
#include <wx/xml/xml.h>

#include <sstream>

// Rule files saved in the encodings that editors use for Chinese and
// Japanese, and declared so.
namespace
{
std::string CorpusFile(const char* name)
{
    wxFFile file(wxString(TESTS_SOURCE_DIR "/scoring/corpus/") + name, "rb");
    std::string bytes(size_t(file.Length()), '\0');
    EXPECT_EQ(file.Read(bytes.data(), bytes.size()), bytes.size()) << name;
    return bytes;
}

std::string InGbk(const std::string& utf8)
{
    const wxCharBuffer gbk = wxString::FromUTF8(utf8).mb_str(wxCSConv("GBK"));
    return std::string(gbk.data(), gbk.length());
}

// The questions of the rows a file gives, as the window would show them;
// a fault is logged as the window logs it.
std::vector<std::string> Questions(const std::string& bytes)
{
    wxXmlDocument doc;
    std::vector<std::string> questions;
    const RuleLoadFault fault = LoadRuleBytes(bytes, doc);
    LogRuleLoadFault("rules.xml", fault);
    if (fault.kind != RuleLoadFault::Kind::None)
        return questions;
    const RuleArray rules = ReadRules(doc.GetRoot());
    for (const Rule* rule : rules)
        questions.push_back(rule->content.utf8_string());
    return questions;
}

std::string Checked(const std::string& bytes)
{
    ScopedWorkDir work({{"rules.xml", bytes}});
    std::ostringstream out, err;
    const int status = RunRuleCheck({"rules.xml"}, out, err);
    return std::to_string(status) + " " + out.str();
}

const char g_gbkDeclaration[] = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n";
} // namespace

TEST(RuleFileEncodings, DeclaredMultiByteEncodingsReadAsWritten)
{
    EXPECT_EQ(Questions(CorpusFile("gbk_declared.xml")),
              (std::vector<std::string>{"会做饭吗？", "每周运动几次？（跑步、游泳、打球都算）",
                                        "有幾個兄弟姊妹？「們」"}));
    EXPECT_EQ(Questions(CorpusFile("big5_declared.xml")),
              (std::vector<std::string>{"會做飯嗎？", "養了幾隻貓？"}));
    EXPECT_EQ(Questions(CorpusFile("shift_jis_declared.xml")),
              (std::vector<std::string>{"料理ができますか？", "週に何回夜更かししますか？"}));
    // The declaration rules over a UTF-8 byte order mark, as it does for the parser.
    EXPECT_EQ(Questions("\xEF\xBB\xBF" + CorpusFile("gbk_declared.xml")).size(), 3u);
    for (const char* name : {"gbk_declared.xml", "big5_declared.xml", "shift_jis_declared.xml"})
        EXPECT_EQ(Checked(CorpusFile(name)), "0 ") << name;
}

TEST(RuleFileEncodings, UnknownEncodingsAndInvalidBytesAreRefusedWithTheirReason)
{
    wxtest::ClearLog();
    EXPECT_TRUE(Questions("<?xml version='1.0' encoding='x-klingon'?>\n<rules><rule><id>a</id>"
                          "<pg_type>bool</pg_type></rule></rules>")
                    .empty());
    EXPECT_TRUE(wxtest::LogContains("Rule file 'rules.xml', line 1: not read: the encoding "
                                    "'x-klingon' is unknown on this system"));
    EXPECT_TRUE(Questions(std::string(g_gbkDeclaration) + "<rules>\n<rule><id>a</id>" +
                          "<pg_type>bool</pg_type><content>\xC4\x20</content></rule></rules>")
                    .empty());
    EXPECT_TRUE(wxtest::LogContains("Rule file 'rules.xml', line 3: not read: this line is not "
                                    "valid GBK"));
    wxtest::ClearLog();
}

TEST(RuleFileEncodings, TheLimitsApplyToTheConvertedText)
{
    const auto inGbk = [](const std::string& rules)
    { return g_gbkDeclaration + InGbk("<rules>" + rules + "</rules>"); };
    const auto rule = [](const std::string& content)
    { return "<rule><id>a</id><pg_type>bool</pg_type><content>" + content + "</content></rule>"; };
    std::string question;
    for (int i = 0; i < 100000; ++i)
        question += "会";
    // 100,000 characters are 200 KB of GBK, 300 KB of UTF-8: beyond the
    // limit of one text once converted; 80,000 are within it.
    wxtest::ClearLog();
    EXPECT_TRUE(Questions(inGbk(rule(question))).empty());
    EXPECT_TRUE(wxtest::LogContains("not read"));
    wxtest::ClearLog();
    EXPECT_EQ(Questions(inGbk(rule(question.substr(0, 3 * 80000)))).size(), 1u);
    EXPECT_FALSE(wxtest::LogContains("not read"));
    // 1,400 questions of 1,000 characters: 2.9 MB as saved, 4.3 MB converted.
    std::string rules;
    for (int i = 0; i < 1400; ++i)
        rules += rule(question.substr(0, 3 * 1000));
    EXPECT_TRUE(Questions(inGbk(rules)).empty());
    EXPECT_TRUE(wxtest::LogContains("not read"));
    wxtest::ClearLog();
}

TEST(RuleFileEncodings, CheckerNamesTheLineAndAnEncodingThatFits)
{
    const std::string gbkHint = "; the file reads as GBK: declare encoding=\"GBK\" in its first "
                                "line, or save it as UTF-8\n";
    EXPECT_EQ(Checked(CorpusFile("gbk_undeclared.xml")),
              "1 rules.xml:6: not well-formed: this line is not valid UTF-8, which a file that "
              "declares no encoding must be" +
                  gbkHint);
    EXPECT_EQ(Checked("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rules>\n<rule>" +
                      InGbk("<content>会做饭吗？</content>") + "</rule></rules>"),
              "1 rules.xml:3: not well-formed: this line is not valid UTF-8, the encoding the "
              "file declares" +
                  gbkHint);
    // A character beyond GBK, in the four bytes that GB18030 gives it; where
    // the system's converter has GB18030's four-byte part (Wine's, unlike
    // Windows', does not).
    const std::string beyondGbk =
        std::string(g_gbkDeclaration) +
        "<rules>\n\n<rule><content>\x81\x30\x81\x30</content></rule></rules>";
    if (wxString("\x81\x30\x81\x30", wxCSConv("GB18030")) == wxString(wchar_t(0x80)))
    {
        EXPECT_EQ(Checked(beyondGbk),
                  "1 rules.xml:4: not read: this line is not valid GBK, the encoding the file "
                  "declares; the file reads as GB18030: declare encoding=\"GB18030\" in its "
                  "first line, or save it as UTF-8\n");
    }
    EXPECT_EQ(Checked("<?xml version=\"1.0\" encoding=\"Big5\"?>\n<rules>\n<rule><content>"
                      "\xC4\x20</content></rule></rules>"),
              "1 rules.xml:3: not read: this line is not valid Big5, the encoding the file "
              "declares\n");
    // A UTF-8 file declared in a one-byte encoding reads, garbled: said once,
    // instead of every garbled text. The parser knows ISO-8859-1 itself; the
    // name latin1 only where the system's converter knows it (Wine's does not).
    for (const std::string declared : {"latin1", "ISO-8859-1"})
    {
        if (declared != "ISO-8859-1" && !wxCSConv(declared).IsOk())
            continue;
        EXPECT_EQ(Checked("<?xml version=\"1.0\" encoding=\"" + declared +
                          "\"?>\n<rules>\n<rule><id>a</id><pg_type>bool</pg_type><content>"
                          "会做饭吗？</content></rule></rules>"),
                  "1 rules.xml:1: the file declares encoding=\"" + declared +
                      "\", but its bytes are UTF-8, so the program shows its text garbled: "
                      "declare encoding=\"UTF-8\"\n");
    }
    EXPECT_EQ(Checked("<?xml version='1.0'\n  encoding='x-klingon'?><rules/>"),
              "1 rules.xml:2: not read: the encoding 'x-klingon' is unknown on this system; save "
              "the file as UTF-8 and declare that\n");
}
