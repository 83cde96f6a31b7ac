#include "scoring/messagetext.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <vector>

namespace
{
using Code = wxUniChar::value_type;

// Plain spacing, counted in words: one of it, several, and its mark
// inside a quoted text.
struct Spacing
{
    Code code;
    const char* one;
    const char* many;
    const char* mark;
};
const Spacing g_spacing[] = {
    {' ', wxTRANSLATE("a space"), wxTRANSLATE("%d spaces"), nullptr},
    {'\t', wxTRANSLATE("a tab"), wxTRANSLATE("%d tabs"), wxTRANSLATE("<tab>")},
    {'\n', wxTRANSLATE("a line break"), wxTRANSLATE("%d line breaks"), wxTRANSLATE("<line break>")},
    {'\r', wxTRANSLATE("a carriage return"), wxTRANSLATE("%d carriage returns"),
     wxTRANSLATE("<carriage return>")},
};

// Characters that show as nothing, or as a space that an author takes for an
// ordinary one, by their Unicode names.
struct Named
{
    Code code;
    const char* name;
};
const Named g_named[] = {
    {0x0000, "NULL"},
    {0x0008, "BACKSPACE"},
    {0x000B, "LINE TABULATION"},
    {0x000C, "FORM FEED"},
    {0x001B, "ESCAPE"},
    {0x007F, "DELETE"},
    {0x0085, "NEXT LINE"},
    {0x00A0, "NO-BREAK SPACE"},
    {0x00AD, "SOFT HYPHEN"},
    {0x1680, "OGHAM SPACE MARK"},
    {0x180E, "MONGOLIAN VOWEL SEPARATOR"},
    {0x2000, "EN QUAD"},
    {0x2001, "EM QUAD"},
    {0x2002, "EN SPACE"},
    {0x2003, "EM SPACE"},
    {0x2004, "THREE-PER-EM SPACE"},
    {0x2005, "FOUR-PER-EM SPACE"},
    {0x2006, "SIX-PER-EM SPACE"},
    {0x2007, "FIGURE SPACE"},
    {0x2008, "PUNCTUATION SPACE"},
    {0x2009, "THIN SPACE"},
    {0x200A, "HAIR SPACE"},
    {0x200B, "ZERO WIDTH SPACE"},
    {0x200C, "ZERO WIDTH NON-JOINER"},
    {0x200D, "ZERO WIDTH JOINER"},
    {0x200E, "LEFT-TO-RIGHT MARK"},
    {0x200F, "RIGHT-TO-LEFT MARK"},
    {0x2028, "LINE SEPARATOR"},
    {0x2029, "PARAGRAPH SEPARATOR"},
    {0x202A, "LEFT-TO-RIGHT EMBEDDING"},
    {0x202B, "RIGHT-TO-LEFT EMBEDDING"},
    {0x202C, "POP DIRECTIONAL FORMATTING"},
    {0x202D, "LEFT-TO-RIGHT OVERRIDE"},
    {0x202E, "RIGHT-TO-LEFT OVERRIDE"},
    {0x202F, "NARROW NO-BREAK SPACE"},
    {0x205F, "MEDIUM MATHEMATICAL SPACE"},
    {0x2060, "WORD JOINER"},
    {0x3000, "IDEOGRAPHIC SPACE"},
    {0xFEFF, "ZERO WIDTH NO-BREAK SPACE"},
};

const Spacing* FindSpacing(Code code)
{
    for (const Spacing& spacing : g_spacing)
        if (spacing.code == code)
            return &spacing;
    return nullptr;
}

const Named* FindNamed(Code code)
{
    for (const Named& named : g_named)
        if (named.code == code)
            return &named;
    return nullptr;
}

bool IsInvisible(Code code)
{
    return FindSpacing(code) || FindNamed(code) || code < 0x20 || (code >= 0x7F && code < 0xA0);
}

// "a line break and 4 spaces": runs of the same character, counted.
wxString DescribeRun(const wxString& run)
{
    std::vector<wxString> parts;
    for (size_t i = 0; i < run.length();)
    {
        const Code code = run[i].GetValue();
        size_t count = 1;
        while (i + count < run.length() && run[i + count].GetValue() == code)
            ++count;
        i += count;
        const Spacing* spacing = FindSpacing(code);
        if (spacing)
            parts.push_back(count == 1
                                ? wxGetTranslation(spacing->one)
                                : wxString::Format(wxGetTranslation(spacing->many), int(count)));
        else
            parts.push_back(count == 1
                                ? CodeName(code)
                                : wxString::Format(_("%d x %s"), int(count), CodeName(code)));
    }
    return JoinedWithAnd(parts);
}

// Inside the text, an ordinary space is shown as it is and anything else
// invisible by name.
wxString ShowInside(const wxString& text)
{
    wxString shown;
    for (const wxUniChar c : text)
    {
        const Code code = c.GetValue();
        if (code == ' ' || !IsInvisible(code))
            shown += c;
        else if (const Spacing* spacing = FindSpacing(code))
            shown += wxGetTranslation(spacing->mark);
        else
            shown += "<" + CodeName(code) + ">";
    }
    return shown;
}

// The part of text from its first to its last visible character, [first, end).
void FindVisible(const wxString& text, size_t& first, size_t& end)
{
    first = 0;
    end = text.length();
    while (first < end && IsInvisible(text[first].GetValue()))
        ++first;
    while (end > first && IsInvisible(text[end - 1].GetValue()))
        --end;
}
} // namespace

wxString Joined(const std::vector<wxString>& parts, const wxString& lastTwo)
{
    if (parts.empty())
        return wxString();
    wxString head = parts.front();
    for (size_t i = 1; i + 1 < parts.size(); ++i)
        head = wxString::Format(_("%s, %s"), head, parts[i]);
    return parts.size() == 1 ? head : wxString::Format(lastTwo, head, parts.back());
}

wxString JoinedWithAnd(const std::vector<wxString>& parts)
{
    return Joined(parts, _("%s and %s"));
}

// A Chinese author knows the characters of an input method as 全角空格 and
// the like, not by their Unicode names: the catalog gives those.
wxString ShownName(const wxString& codeAndName)
{
    return wxGetTranslation(codeAndName);
}

wxString CodeName(wxUniChar::value_type code)
{
    const Named* named = FindNamed(code);
    const wxString number = wxString::Format("U+%04X", unsigned(code));
    return named ? ShownName(number + " " + named->name) : number;
}

wxString Quoted(const wxString& text)
{
    size_t first, end;
    FindVisible(text, first, end);
    if (first == end)
        return text.empty() ? wxString("''")
                            : wxString::Format(_("nothing but %s"), DescribeRun(text));
    const wxString quoted = "'" + ShowInside(text.substr(first, end - first)) + "'";
    const wxString before = DescribeRun(text.substr(0, first));
    const wxString after = DescribeRun(text.substr(end));
    if (first > 0 && end < text.length())
        return wxString::Format(_("%s preceded by %s and followed by %s"), quoted, before, after);
    if (first > 0)
        return wxString::Format(_("%s preceded by %s"), quoted, before);
    if (end < text.length())
        return wxString::Format(_("%s followed by %s"), quoted, after);
    return quoted;
}

wxString StripInvisible(const wxString& text)
{
    size_t first, end;
    FindVisible(text, first, end);
    return text.substr(first, end - first);
}

wxString SystemReason(unsigned long error)
{
    return wxGetTranslation(wxSysErrorMsgStr(error));
}
