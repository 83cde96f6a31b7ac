#include "common/platform_console.h"

#include <wx/log.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <windows.h>

namespace
{
bool s_redirectedUtf8 = false;

// The code page of a file or pipe behind standard output or error.
UINT RedirectedCodePage()
{
    if (s_redirectedUtf8)
        return CP_UTF8;
    // Zero without a console.
    const UINT console = GetConsoleOutputCP();
    return console != 0 ? console : GetACP();
}

// Text files on Windows end their lines with CR LF, as the C runtime's
// standard streams have always written them.
std::wstring WithWindowsLineEnds(const std::wstring& text)
{
    std::wstring lines;
    for (const wchar_t c : text)
        lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return lines;
}

std::string Encoded(const wchar_t* text, int length, UINT codePage, BOOL* lacking)
{
    const DWORD flags = lacking ? WC_NO_BEST_FIT_CHARS : 0;
    const int size =
        WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, lacking);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(codePage, flags, text, length, bytes.data(), size, nullptr, lacking);
    return bytes;
}

// The text in the code page. Each character the code page lacks is written
// as its code point: a stand-in such as '?' would hide what the file says.
std::string InCodePage(const std::wstring& text, UINT codePage)
{
    // These cover all of Unicode (and take no question about lacking).
    if (codePage == CP_UTF8 || codePage == 54936 /* GB 18030 */)
        return Encoded(text.data(), int(text.size()), codePage, nullptr);
    std::string bytes;
    for (size_t i = 0; i < text.size();)
    {
        const bool pair =
            IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const int length = pair ? 2 : 1;
        BOOL lacking = FALSE;
        const std::string character = Encoded(&text[i], length, codePage, &lacking);
        if (lacking || character.empty())
        {
            const unsigned codePoint =
                pair ? 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00) : text[i];
            bytes += wxString::Format("U+%04X", codePoint).ToStdString();
        }
        else
            bytes += character;
        i += size_t(length);
    }
    return bytes;
}

// Writes UTF-8 text to a handle a line at a time: as Unicode to a console,
// which would read bytes in its own code page, and otherwise as bytes in
// the code page that the function gives. Once a write fails, the stream
// stays failed.
class TextHandleBuffer : public std::streambuf
{
public:
    TextHandleBuffer(HANDLE handle, bool ownsHandle, UINT (*codePage)())
        : m_handle(handle), m_ownsHandle(ownsHandle), m_codePage(codePage)
    {
    }
    ~TextHandleBuffer() override
    {
        sync();
        if (m_ownsHandle)
            CloseHandle(m_handle);
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
        {
            const char character = traits_type::to_char_type(c);
            xsputn(&character, 1);
        }
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        m_pending.append(text, size_t(count));
        if (m_pending.find('\n') != std::string::npos)
            sync();
        return count;
    }

    int sync() override
    {
        if (!m_pending.empty() && !Write(m_pending))
            m_failed = true;
        m_pending.clear();
        return m_failed ? -1 : 0;
    }

private:
    bool Write(const std::string& utf8) const
    {
        const std::wstring text = wxString::FromUTF8(utf8.data(), utf8.size()).ToStdWstring();
        DWORD mode, done;
        if (GetConsoleMode(m_handle, &mode))
            return WriteConsoleW(m_handle, text.data(), DWORD(text.size()), &done, nullptr) != 0;
        const std::string bytes = InCodePage(WithWindowsLineEnds(text), m_codePage());
        return WriteFile(m_handle, bytes.data(), DWORD(bytes.size()), &done, nullptr) != 0 &&
               done == bytes.size();
    }

    HANDLE m_handle;
    bool m_ownsHandle;
    UINT (*m_codePage)();
    std::string m_pending;
    bool m_failed = false;
};

UINT Utf8CodePage()
{
    return CP_UTF8;
}

// A stream that owns its file.
class TextFileStream : public std::ostream
{
public:
    explicit TextFileStream(HANDLE file) : std::ostream(nullptr), m_buffer(file, true, Utf8CodePage)
    {
        rdbuf(&m_buffer);
    }

private:
    TextHandleBuffer m_buffer;
};
} // namespace

std::ostream& StandardOutput()
{
    static TextHandleBuffer buffer(GetStdHandle(STD_OUTPUT_HANDLE), false, RedirectedCodePage);
    static std::ostream out(&buffer);
    return out;
}

std::ostream& StandardError()
{
    static TextHandleBuffer buffer(GetStdHandle(STD_ERROR_HANDLE), false, RedirectedCodePage);
    static std::ostream err(&buffer);
    return err;
}

void UseUtf8ForRedirectedOutput()
{
    s_redirectedUtf8 = true;
}

std::unique_ptr<std::ostream> CreateUtf8TextFile(const wxString& path, wxString& reason)
{
    const HANDLE file = CreateFileW(path.wc_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return std::make_unique<TextFileStream>(file);
    reason = wxSysErrorMsgStr(GetLastError());
    return nullptr;
}
