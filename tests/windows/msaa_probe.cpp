// What a screen reader finds in the running program's main window, read the
// way one reads it: from the window handles, through each window's
// accessible object (AccessibleObjectFromWindow, IAccessible).
//
// msaa_probe TITLE QUESTIONS PRICE (or --places TITLE, see PrintPlaces)
//   TITLE      the main window's title (UTF-8)
//   QUESTIONS  a UTF-8 file with the list's questions, one a line, in order
//   PRICE      what ticking the list's first checkbox adds to the total
// Prints what it checks; exits 1 on the first fault found.
#include <windows.h>

#include <shellapi.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{
std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], int(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& text)
{
    std::string narrow(text.size() * 4, '\0');
    narrow.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &narrow[0],
                                      int(narrow.size()), nullptr, nullptr));
    return narrow;
}

[[noreturn]] void Fail(const std::string& what)
{
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(1);
}

void Check(bool ok, const std::string& what)
{
    if (!ok)
        Fail(what);
    std::printf("ok: %s\n", what.c_str());
}

VARIANT Child(long id)
{
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Text(BSTR text)
{
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

// One accessible object of a window and the calls the checks make on it.
struct Object
{
    HWND window = nullptr;
    IAccessible* acc = nullptr;

    std::wstring Name(long id) const
    {
        BSTR name = nullptr;
        acc->get_accName(Child(id), &name);
        return Text(name);
    }
    std::wstring Value(long id) const
    {
        BSTR value = nullptr;
        acc->get_accValue(Child(id), &value);
        return Text(value);
    }
    std::wstring DefaultAction(long id) const
    {
        BSTR action = nullptr;
        acc->get_accDefaultAction(Child(id), &action);
        return Text(action);
    }
    long Role(long id) const
    {
        VARIANT role;
        VariantInit(&role);
        return SUCCEEDED(acc->get_accRole(Child(id), &role)) && role.vt == VT_I4 ? role.lVal : -1;
    }
    long State(long id) const
    {
        VARIANT state;
        VariantInit(&state);
        return SUCCEEDED(acc->get_accState(Child(id), &state)) && state.vt == VT_I4 ? state.lVal
                                                                                    : 0;
    }
    long ChildCount() const
    {
        long count = 0;
        return SUCCEEDED(acc->get_accChildCount(&count)) ? count : 0;
    }
    // The child id that has the focus, CHILDID_SELF for the object, -1 for
    // none.
    long Focus() const
    {
        VARIANT focus;
        VariantInit(&focus);
        if (FAILED(acc->get_accFocus(&focus)) || focus.vt != VT_I4)
        {
            VariantClear(&focus);
            return -1;
        }
        return focus.lVal;
    }
};

struct Search
{
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && search->title == title)
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    auto* objects = reinterpret_cast<std::vector<Object>*>(param);
    Object object{window, nullptr};
    if (IsWindowVisible(window) &&
        SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object.acc))) &&
        object.acc)
        objects->push_back(object);
    return TRUE;
}

// The first object of the main window's children in this role.
const Object* FindRole(const std::vector<Object>& objects, long role)
{
    for (const Object& object : objects)
        if (object.Role(CHILDID_SELF) == role)
            return &object;
    return nullptr;
}

std::vector<std::wstring> ReadLines(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::wstring> lines;
    for (std::string line; std::getline(file, line);)
        if (!line.empty())
            lines.push_back(Wide(line));
    return lines;
}

// The total on the result page: its first number in ASCII digits (the
// grades are written in full-width ones).
long TotalIn(const std::wstring& page)
{
    const size_t digit = page.find_first_of(L"0123456789");
    if (digit == std::wstring::npos)
        Fail("the result page holds no total: " + Utf8(page));
    const bool negative = digit > 0 && page[digit - 1] == L'-';
    const long value = std::wcstol(page.c_str() + digit, nullptr, 10);
    return negative ? -value : value;
}

// Lets the program's thread and the event hook catch up.
void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
}

HWND g_hookedWindow = nullptr;
std::vector<long> g_focusEvents;

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (window == g_hookedWindow && object == OBJID_CLIENT)
        g_focusEvents.push_back(child);
}

std::vector<long> RowsOfRole(const Object& list, long role)
{
    std::vector<long> rows;
    for (long id = 1; id <= list.ChildCount(); ++id)
        if (list.Role(id) == role)
            rows.push_back(id);
    return rows;
}

void CheckQuestions(const Object& list, const std::vector<std::wstring>& questions)
{
    Check(list.Role(1) == ROLE_SYSTEM_ROWHEADER, "the list starts with its heading");
    std::vector<std::wstring> names;
    for (long id = 1; id <= list.ChildCount(); ++id)
        if (list.Role(id) != ROLE_SYSTEM_ROWHEADER)
            names.push_back(list.Name(id));
    for (size_t i = 0; i < questions.size() || i < names.size(); ++i)
        if (i >= questions.size() || i >= names.size() || names[i] != questions[i])
            Fail("row " + std::to_string(i + 1) + " is named '" +
                 (i < names.size() ? Utf8(names[i]) : "") + "', the list asks '" +
                 (i < questions.size() ? Utf8(questions[i]) : "") + "'");
    Check(true, std::to_string(names.size()) + " questions named in the list's order");
    for (long id : RowsOfRole(list, ROLE_SYSTEM_TEXT))
        if (list.Value(id).empty())
            Fail("number row " + std::to_string(id) + " has no value");
    Check(!RowsOfRole(list, ROLE_SYSTEM_TEXT).empty(), "number rows carry their answer as value");
}

// Ticks the first checkbox by its default action; returns its child id.
long TickFirstBox(const Object& list)
{
    const std::vector<long> boxes = RowsOfRole(list, ROLE_SYSTEM_CHECKBUTTON);
    Check(!boxes.empty(), "the list has checkbox rows");
    const long box = boxes.front();
    Check(!(list.State(box) & STATE_SYSTEM_CHECKED), "the first box starts unticked");
    Check(!list.DefaultAction(box).empty(), "the box names its action");
    Check(SUCCEEDED(list.acc->accDoDefaultAction(Child(box))), "the box's action is taken");
    Pump(300);
    Check(list.State(box) & STATE_SYSTEM_CHECKED, "the box reads as ticked after its action");
    return box;
}

// Down moves the list's focus to the next row, and says so.
void CheckFocusFollowsKeys(const Object& list, long row)
{
    Check(SUCCEEDED(list.acc->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(row))),
          "a row takes the focus when asked");
    Pump(300);
    Check(list.Focus() == row, "the list's focus is that row");
    Check(list.State(row) & STATE_SYSTEM_FOCUSED, "the row reads as focused");

    g_hookedWindow = list.window;
    DWORD process = 0;
    GetWindowThreadProcessId(list.window, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         OnFocusEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    Check(hook != nullptr, "focus events can be watched");
    // As the keyboard sends it: scan code 0x50, an extended key.
    PostMessageW(list.window, WM_KEYDOWN, VK_DOWN, 0x01500001);
    PostMessageW(list.window, WM_KEYUP, VK_DOWN, 0xC1500001);
    for (int i = 0; i < 100 && g_focusEvents.empty(); ++i)
        Pump(100);
    UnhookWinEvent(hook);
    Check(list.Focus() == row + 1, "Down moves the list's focus to the next row");
    Check(!g_focusEvents.empty() && g_focusEvents.back() == row + 1,
          "Down sends a focus event for the next row");
}
HRESULT SetValue(const Object& list, long row, const wchar_t* text)
{
    BSTR value = SysAllocString(text);
    const HRESULT result = list.acc->put_accValue(Child(row), value);
    SysFreeString(value);
    Pump(300);
    return result;
}

// A number row's answer set through its value is read as typed text is.
void CheckNumberValue(const Object& list)
{
    const std::vector<long> numbers = RowsOfRole(list, ROLE_SYSTEM_TEXT);
    Check(!numbers.empty(), "the list has number rows");
    const long row = numbers.front();
    Check(SUCCEEDED(SetValue(list, row, L"1.5")), "a number row takes a value set through it");
    Check(list.Value(row) == L"2", "1.5 set as its value counts 2, as typed");
    Check(FAILED(SetValue(list, row, L"two")), "a value with no number is refused");
    Check(list.Value(row) == L"2", "and the answer stays as it was");
}
// The places of the panes whose texts the program draws, one a line as
// NAME WIDTHxHEIGHT+X+Y in screen pixels: the toolbar, the status bar, the
// result page and the tab rows of the two notebooks (a notebook's child that
// does not hold its page).
std::vector<std::wstring> RowNames(const Object& list)
{
    std::vector<std::wstring> names;
    for (long id = 1; id <= list.ChildCount(); ++id)
        names.push_back(list.Name(id));
    return names;
}

// Another friend type chosen as the mouse does: the rows are read afresh,
// every one named, none left over from the list before.
void CheckListSwitch(const std::vector<Object>& objects, const Object& list)
{
    const std::vector<std::wstring> before = RowNames(list);
    const Object* friendType = nullptr;
    for (const Object& object : objects)
    {
        wchar_t windowClass[64] = {};
        GetClassNameW(object.window, windowClass, 64);
        if (_wcsicmp(windowClass, L"ComboBox") == 0 && !friendType)
            friendType = &object;
    }
    Check(friendType != nullptr, "the friend type choice is there");
    // What the control tells its parent when an arrow key picks an entry.
    SendMessageW(friendType->window, CB_SETCURSEL, 1, 0);
    for (WORD notice : {CBN_SELENDOK, CBN_SELCHANGE})
        SendMessageW(GetParent(friendType->window), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(friendType->window), notice),
                     reinterpret_cast<LPARAM>(friendType->window));
    Pump(500);
    const std::vector<std::wstring> after = RowNames(list);
    Check(after != before, "another friend type's rows are read after choosing it");
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i].empty())
            Fail("row " + std::to_string(i + 1) + " of the new list has no name");
    Check(list.Role(1) == ROLE_SYSTEM_ROWHEADER, "the new list starts with its heading");
}

void PrintPlaces(HWND top, const std::vector<Object>& objects)
{
    const auto print = [](const char* name, HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%s %ldx%ld+%ld+%ld\n", name, r.right - r.left, r.bottom - r.top, r.left,
                    r.top);
    };
    const auto tabRow = [top](HWND page)
    {
        HWND pane = page;
        while (GetParent(pane) && GetParent(GetParent(pane)) != top)
            pane = GetParent(pane);
        const HWND book = GetParent(pane);
        for (HWND child = GetWindow(book, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (child != pane && IsWindowVisible(child))
                return child;
        Fail("no tab row beside the page");
    };
    const Object* list = FindRole(objects, ROLE_SYSTEM_LIST);
    const Object* page = FindRole(objects, ROLE_SYSTEM_DOCUMENT);
    const Object* toolbar = FindRole(objects, ROLE_SYSTEM_TOOLBAR);
    const Object* status = FindRole(objects, ROLE_SYSTEM_STATUSBAR);
    if (!list || !page || !toolbar || !status)
        Fail("a pane is missing");
    print("toolbar", toolbar->window);
    print("statusbar", status->window);
    print("page", page->window);
    print("checklist-tabs", tabRow(list->window));
    print("result-tabs", tabRow(page->window));
}

void CheckEverything(const std::vector<Object>& objects, const char* questions, long price)
{
    const Object* list = FindRole(objects, ROLE_SYSTEM_LIST);
    Check(list && list->ChildCount() > 1, "the checklist is a list with rows");
    CheckQuestions(*list, ReadLines(questions));

    const Object* page = FindRole(objects, ROLE_SYSTEM_DOCUMENT);
    Check(page != nullptr, "the result page is a document");
    const long before = TotalIn(page->Value(CHILDID_SELF));
    Check(true, "the page shows the total " + std::to_string(before));

    const Object* toolbar = FindRole(objects, ROLE_SYSTEM_TOOLBAR);
    Check(toolbar && toolbar->ChildCount() == 2, "the toolbar has its two tools");
    for (long id = 1; id <= 2; ++id)
        Check(!toolbar->Name(id).empty(),
              "tool " + std::to_string(id) + " is named " + Utf8(toolbar->Name(id)));
    Check(FindRole(objects, ROLE_SYSTEM_STATUSBAR) != nullptr, "the status bar is one");

    const long box = TickFirstBox(*list);
    CheckFocusFollowsKeys(*list, box);

    // Calculate, found by its name. Wine's objects for the system's own
    // controls know no button role and no default action: the button is
    // then clicked through its window.
    const Object* calculate = nullptr;
    for (const Object& object : objects)
    {
        wchar_t windowClass[64] = {};
        GetClassNameW(object.window, windowClass, 64);
        if (_wcsicmp(windowClass, L"Button") == 0 &&
            object.Name(CHILDID_SELF).find(L"\x8ba1\x7b97") != std::wstring::npos)
            calculate = &object;
    }
    Check(calculate != nullptr, "the Calculate button is named");
    if (FAILED(calculate->acc->accDoDefaultAction(Child(CHILDID_SELF))))
        SendMessageW(GetParent(calculate->window), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(calculate->window), BN_CLICKED),
                     reinterpret_cast<LPARAM>(calculate->window));

    Pump(500);
    const long after = TotalIn(page->Value(CHILDID_SELF));
    Check(after == before + price,
          "after Calculate the page shows " + std::to_string(after) + ", the tick's price added");
    CheckNumberValue(*list);
    CheckListSwitch(objects, *list);
}
} // namespace

// msaa_probe TITLE QUESTIONS PRICE: the checks above.
// msaa_probe --places TITLE: PrintPlaces.
int main()
{
    // Unicode arguments: main's are in the ANSI code page.
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool places = count == 3 && std::wstring(arguments[1]) == L"--places";
    if (!places && count != 4)
    {
        std::fprintf(stderr, "usage: msaa_probe TITLE QUESTIONS PRICE | --places TITLE\n");
        return 2;
    }
    CoInitialize(nullptr);
    Search search{arguments[places ? 2 : 1]};
    for (int i = 0; i < 60 && !search.found; ++i)
    {
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1000);
    }
    if (!search.found)
        Fail("the main window is not there");
    std::vector<Object> objects;
    EnumChildWindows(search.found, CollectChild, reinterpret_cast<LPARAM>(&objects));
    if (places)
        PrintPlaces(search.found, objects);
    else
        CheckEverything(objects, Utf8(arguments[2]).c_str(),
                        std::wcstol(arguments[3], nullptr, 10));
    LocalFree(arguments);
    for (const Object& object : objects)
        object.acc->Release();
    CoUninitialize();
    return 0;
}
