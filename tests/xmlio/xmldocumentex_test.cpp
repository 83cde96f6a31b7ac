#include "xmlio/xmldocumentex.h"

#include "support/workdir.h"
#include "support/wxtest.h"
#include "support/xmltree.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/wfstream.h>

#include <cstdlib>
#include <map>
#ifndef __WINDOWS__
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{
const std::string g_decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Returns the bytes written, or "FAILED" plus whatever reached the stream.
std::string Saved(const wxXmlDocument& doc, int step)
{
    wxMemoryOutputStream out;
    const bool ok = doc.Save(out, step);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(bytes.data(), bytes.size());
    return ok ? bytes : "FAILED" + bytes;
}

std::unique_ptr<wxXmlDocumentEx> Parsed(const std::string& xml, int flags = wxXMLDOC_NONE)
{
    wxMemoryInputStream in(xml.data(), xml.size());
    auto doc = std::make_unique<wxXmlDocumentEx>();
    EXPECT_TRUE(doc->Load(in, "UTF-8", flags)) << xml;
    return doc;
}

wxXmlNode* Add(wxXmlNode* parent, wxXmlNodeType type, const wxString& name,
               const wxString& content = wxString())
{
    auto* node = new wxXmlNode(type, name, content);
    parent->AddChild(node);
    return node;
}

// A document whose root is <r>, filled in by the caller.
struct Doc : wxXmlDocumentEx
{
    explicit Doc(const wxString& encoding = "UTF-8")
    {
        SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "r"));
        SetFileEncoding(encoding);
    }
    wxXmlNode* r() const { return GetRoot(); }
};

std::string TempDir()
{
    return MakeTempFolder("amorquant-xml-").string();
}

std::string ReadFile(const std::string& path)
{
    wxFFile file(path, "rb");
    wxString text;
    return file.IsOpened() && file.ReadAll(&text, wxConvISO8859_1)
               ? text.ToStdString(wxConvISO8859_1)
               : "MISSING";
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    wxFFile(path, "wb").Write(bytes.data(), bytes.size());
}

// Well-formed to a reader other than the program's own writer: xmllint, or
// under Windows, where there is none, the library's reader.
bool XmllintAccepts(const std::string& bytes)
{
    const std::string path = TempDir() + "/doc.xml";
    WriteFile(path, bytes);
#ifdef __WINDOWS__
    wxLogNull quiet;
    return wxXmlDocument().Load(path);
#else
    return std::system(("xmllint --noout " + path).c_str()) == 0;
#endif
}
} // namespace

TEST(XmlFormat, IndentsNonTextChildrenByTwoSpacesPerStep)
{
    Doc doc;
    Add(Add(doc.r(), wxXML_ELEMENT_NODE, "a"), wxXML_ELEMENT_NODE, "g");
    Add(doc.r(), wxXML_ELEMENT_NODE, "b");
    EXPECT_EQ(Saved(doc, 1), g_decl + "<r>\n  <a>\n    <g/>\n  </a>\n  <b/>\n</r>\n");
    EXPECT_EQ(Saved(doc, 2), g_decl + "<r>\n    <a>\n        <g/>\n    </a>\n    <b/>\n</r>\n");
    EXPECT_EQ(Saved(doc, 0), g_decl + "<r>\n<a>\n<g/>\n</a>\n<b/>\n</r>\n");
    EXPECT_EQ(Saved(doc, -1), g_decl + "<r><a><g/></a><b/></r>\n");
}

TEST(XmlFormat, KeepsTextOnTheLineOfItsTagsInMixedContent)
{
    Doc doc;
    Add(doc.r(), wxXML_TEXT_NODE, "", "one ");
    Add(Add(doc.r(), wxXML_ELEMENT_NODE, "e"), wxXML_TEXT_NODE, "", "two");
    Add(doc.r(), wxXML_TEXT_NODE, "", " three");
    EXPECT_EQ(Saved(doc, 1), g_decl + "<r>one \n  <e>two</e> three</r>\n");
    Add(doc.r(), wxXML_ELEMENT_NODE, "last");
    EXPECT_EQ(Saved(doc, 1), g_decl + "<r>one \n  <e>two</e> three\n  <last/>\n</r>\n");
    // An empty text child still makes a start and an end tag.
    Add(Add(doc.r(), wxXML_ELEMENT_NODE, "t"), wxXML_TEXT_NODE, "", "");
    EXPECT_EQ(Saved(doc, -1), g_decl + "<r>one <e>two</e> three<last/><t></t></r>\n");
}

TEST(XmlFormat, EscapesWhatTheReaderWouldChange)
{
    Doc doc;
    doc.r()->AddAttribute("q", "<>&\"' \t\n\r&amp;");
    doc.r()->AddAttribute("plain", "x");
    Add(doc.r(), wxXML_TEXT_NODE, "", "a<b>c&d &amp; &amp \"q\" 'a'\tx\ny\rz");
    EXPECT_EQ(Saved(doc, 1),
              g_decl + "<r q=\"&lt;&gt;&amp;&quot;' &#x9;&#xA;&#xD;&amp;amp;\" plain=\"x\">"
                       "a&lt;b&gt;c&amp;d &amp;amp; &amp;amp \"q\" 'a'\tx\ny&#xD;z</r>\n");
    // Whitespace before a reference would be read apart and dropped.
    doc.r()->GetChildren()->SetContent("  > x>");
    EXPECT_EQ(Saved(doc, 1), g_decl + "<r q=\"&lt;&gt;&amp;&quot;' &#x9;&#xA;&#xD;&amp;amp;\" "
                                      "plain=\"x\">  > x&gt;</r>\n");
}

TEST(XmlFormat, WritesEverythingAroundTheRootInOrder)
{
    Doc doc;
    doc.SetVersion("1.1");
    doc.SetFileEncoding("utf-8");
    doc.SetDoctype(wxXmlDoctype("r", "r.dtd"));
    doc.AppendToProlog(new wxXmlNode(wxXML_COMMENT_NODE, "", " c1 "));
    doc.AppendToProlog(new wxXmlNode(wxXML_PI_NODE, "app", "data"));
    Add(doc.GetDocumentNode(), wxXML_COMMENT_NODE, "", "end");
    Add(doc.r(), wxXML_CDATA_SECTION_NODE, "", "a]]>b<&");
    Add(doc.r(), wxXML_COMMENT_NODE, "", "in");
    Add(doc.r(), wxXML_PI_NODE, "p");
    Add(doc.r(), wxXML_ENTITY_NODE, "nothing");
    EXPECT_EQ(Saved(doc, 1), "<?xml version=\"1.1\" encoding=\"utf-8\"?>\n"
                             "<!DOCTYPE r SYSTEM \"r.dtd\">\n<!-- c1 -->\n<?app data?>\n"
                             "<r>\n  <![CDATA[a]]]]><![CDATA[>b<&]]>\n  <!--in-->\n  <?p?>\n  \n"
                             "</r>\n<!--end-->\n");
    doc.SetDoctype(wxXmlDoctype("r", "say \"hi\"", "-//P//Q"));
    EXPECT_TRUE(Saved(doc, -1).find("\n<!DOCTYPE r PUBLIC \"-//P//Q\" 'say \"hi\"'>\n") !=
                std::string::npos);
}

TEST(XmlFormat, RefusesWhatCannotBeWrittenWellFormedAndWritesNothing)
{
    const std::vector<std::pair<const char*, std::function<void(Doc&)>>> cases = {
        {"comment with --", [](Doc& d) { Add(d.r(), wxXML_COMMENT_NODE, "", "a--b"); }},
        {"comment ending in -", [](Doc& d) { Add(d.r(), wxXML_COMMENT_NODE, "", "a-"); }},
        {"element name", [](Doc& d) { Add(d.r(), wxXML_ELEMENT_NODE, "1a"); }},
        {"attribute name", [](Doc& d) { d.r()->AddAttribute("a b", "v"); }},
        {"repeated attribute",
         [](Doc& d)
         {
             d.r()->AddAttribute("a", "1");
             d.r()->AddAttribute("a", "2");
         }},
        {"reserved target", [](Doc& d) { Add(d.r(), wxXML_PI_NODE, "XmL", "x"); }},
        {"instruction end", [](Doc& d) { Add(d.r(), wxXML_PI_NODE, "p", "a?>b"); }},
        {"control character", [](Doc& d) { Add(d.r(), wxXML_TEXT_NODE, "", "a\x01"); }},
        {"non-character", [](Doc& d) { d.r()->AddAttribute("a", wxString(wxUniChar(0xFFFE))); }},
        {"surrogate",
         [](Doc& d) { Add(d.r(), wxXML_CDATA_SECTION_NODE, "", wxString(wchar_t(0xD800))); }},
        {"doctype name", [](Doc& d) { d.SetDoctype(wxXmlDoctype("a b")); }},
        {"version", [](Doc& d) { d.SetVersion("1.0\" x=\""); }},
        {"encoding name", [](Doc& d) { d.SetFileEncoding("x-no-such-encoding"); }},
        {"no root", [](Doc& d) { delete d.DetachRoot(); }},
        {"latin-1 comment with euro",
         [](Doc& d)
         {
             d.SetFileEncoding("ISO-8859-1");
             Add(d.r(), wxXML_COMMENT_NODE, "", L"\u20AC");
         }},
        {"latin-1 name with euro",
         [](Doc& d)
         {
             d.SetFileEncoding("ISO-8859-1");
             Add(d.r(), wxXML_ELEMENT_NODE, L"e\u20AC");
         }},
        {"second root",
         [](Doc& d)
         {
             Add(d.GetDocumentNode(), wxXML_TEXT_NODE, "", "stray");
             Add(d.GetDocumentNode(), wxXML_ELEMENT_NODE, "second");
         }},
    };
    for (const auto& [name, spoil] : cases)
    {
        Doc doc;
        spoil(doc);
        EXPECT_EQ(Saved(doc, 2), "FAILED") << name;
    }
}

TEST(XmlEncoding, ConvertsOnceAndRefersToWhatTheEncodingLacks)
{
    const std::map<std::string, std::string> expected = {
        {"UTF-8", "<r n\xC3\xA9=\"\xC3\xA9\xE2\x82\xAC\">caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"
                  "<!--\xC3\xA9--></r>\n"},
        {"ISO-8859-1", "<r n\xE9=\"\xE9&#x20AC;\">caf\xE9 &#x20AC; &#x1F600;<!--\xE9--></r>\n"},
        {"UTF-16", ""}};
    for (const auto& [encoding, body] : expected)
    {
        Doc doc(encoding);
        doc.r()->AddAttribute(L"n\u00E9", L"\u00E9\u20AC");
        Add(doc.r(), wxXML_TEXT_NODE, "", L"caf\u00E9 \u20AC \U0001F600");
        Add(doc.r(), wxXML_COMMENT_NODE, "", L"\u00E9");
        const std::string bytes = Saved(doc, -1);
        if (body.empty())
            EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4)) << "byte-order mark";
        else
            EXPECT_EQ(bytes.substr(bytes.find('\n') + 1), body) << encoding;
        EXPECT_TRUE(XmllintAccepts(bytes)) << encoding;
        EXPECT_EQ(xmltree::Compare(doc, *Parsed(bytes)), "") << encoding;
    }
}

TEST(XmlRoundTrip, LoadedDocumentsReadBackAsTheyWere)
{
    std::vector<std::string> documents = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- pre --><?pi data?>\n"
        "<!DOCTYPE r SYSTEM \"x.dtd\">\n<r a=\"1&#9;&#10;2&#13;\" b=\"&quot;&apos;&lt;&gt;\">\n"
        "  text &amp;amp; &lt;<![CDATA[c]]>more&#13;\r\n<e/>\n  <f></f><g><![CDATA[]]></g>"
        "<!--c--><?p q ?>  &gt; x<n:m xmlns:n='urn:n'/></r>\n<!--post-->\n",
        "<rules><rule id=\"1\"><name>\xE5\xAE\xB6 &amp; car</name><price>300</price></rule>\n"
        "  <rule id=\"2\"><name>  >lead</name><!----></rule></rules>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r n\xE9=\"\xE9\">caf\xE9</r>",
        "<!DOCTYPE r PUBLIC \"-//a//b\" \"c\" [<!ENTITY e \"x\"><!ATTLIST r d CDATA \"def\">]>"
        "<r>\n\t<a>  b </a>\n</r>",
    };
    const wxString utf16(L"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><r a=\"b\">x</r>");
    const wxScopedCharBuffer utf16Bytes = utf16.mb_str(wxMBConvUTF16LE());
    documents.emplace_back(utf16Bytes.data(), utf16Bytes.length());
    for (const char* type : {"gf", "bf"})
        for (const char* mode : {"normal", "crazy"})
            documents.push_back(
                ReadFile(std::string("rules/rules_") + type + "_" + mode + "-zh_CN.xml"));
    const std::string dir = TempDir();
    for (int flags : {wxXMLDOC_NONE, wxXMLDOC_KEEP_WHITESPACE_NODES})
        for (const std::string& xml : documents)
        {
            WriteFile(dir + "/in.xml", xml);
            wxXmlDocumentEx doc;
            ASSERT_TRUE(doc.Load(dir + "/in.xml", "UTF-8", flags)) << xml;
            const bool mixed = xmltree::HasMixedContent(doc.GetRoot());
            for (int step : {-1, 0, 1, 3})
            {
                if (step >= 0 && (mixed || flags))
                    continue;
                const std::string bytes = Saved(doc, step);
                EXPECT_TRUE(XmllintAccepts(bytes)) << bytes;
                EXPECT_EQ(xmltree::Compare(doc, *Parsed(bytes, flags)), "") << bytes;
            }
        }
}

TEST(XmlFile, ReplacesTheTargetOnlyWhenTheWholeDocumentIsWritten)
{
    const std::string dir = TempDir();
    const std::string path = dir + "/rules.xml";
    WriteFile(path, "old");
    Doc doc;
    Add(doc.r(), wxXML_COMMENT_NODE, "", "bad--comment");
    EXPECT_FALSE(doc.Save(path, 2));
    delete doc.DetachRoot();
    EXPECT_FALSE(doc.Save(path, 2));
    EXPECT_EQ(ReadFile(path), "old");

    doc.SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, "r"));
    EXPECT_TRUE(doc.Save(path, 2));
    EXPECT_EQ(ReadFile(path), g_decl + "<r/>\n");
    wxArrayString files;
    EXPECT_EQ(wxDir::GetAllFiles(dir, &files, "", wxDIR_FILES | wxDIR_HIDDEN), 1u)
        << "temporaries left";
    EXPECT_FALSE(doc.Save(dir + "/no/such/folder/x.xml", 2));
    EXPECT_FALSE(doc.Save(path + "/x.xml", 2)); // a file as the folder
}

#ifndef __WINDOWS__
TEST(XmlFile, SavesThroughLinksAndKeepsAccessRights)
{
    const std::string dir = TempDir();
    const std::string path = dir + "/rules.xml";
    WriteFile(path, "old");
    chmod(path.c_str(), 0640);
    Doc doc;
    ASSERT_TRUE(symlink("rules.xml", (dir + "/link.xml").c_str()) == 0);
    EXPECT_TRUE(doc.Save(dir + "/link.xml", 2));
    EXPECT_EQ(ReadFile(path), g_decl + "<r/>\n");
    struct stat st;
    ASSERT_EQ(lstat((dir + "/link.xml").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    wxArrayString files;
    EXPECT_EQ(wxDir::GetAllFiles(dir, &files, "", wxDIR_FILES | wxDIR_HIDDEN), 2u)
        << "temporaries left";
    EXPECT_FALSE(doc.Save(wxString("/proc/x.xml"), 2)); // not writable, even by root
}

TEST(XmlFile, ReportsWriteErrorsAndWritesDevicesInPlace)
{
    Doc doc;
    wxFileOutputStream full("/dev/full");
    EXPECT_FALSE(doc.Save(full, 2));
    EXPECT_FALSE(doc.Save(wxString("/dev/full"), 2));
    EXPECT_TRUE(doc.Save(wxString("/dev/null"), 2));
    struct stat st;
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}
#endif
