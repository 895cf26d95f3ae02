// The Windows side of entry_paths_test.py, under Wine (FILE holds UTF-8 text): start [occupied] FILE
// (its command line, exactly; occupied: the program's instance name held by an event), message
// (answered with OK: its text, icon, owner, Text1 to Text10), drop OPTION [paused|ansi|wide] FILE
// (its paths on Picture1, none for an empty list; paused: held where the window first asks for them until
// standard input ends; ansi: the list in the system's code page; printing copy, not copy or no drop, and
// ", shown copy" when the copy cursor showed for a list not taken), press (Picture1 through
// Active Accessibility: its role and name, then pressed, and twice more while the Open dialog is up: how
// many dialogs, and whether the window is enabled), focus (the focused control's identifier), tooltip
// (once one shows), close (printing Text1), foreground (the title of the window in front,
// whose thread takes the keys), click OPTION (posted, as a click waits in the queue), watch (until the
// window goes: whether it always answered within the 5 s after which Windows calls it hung), asked [press]
// (a press posted to Picture1 first, if told; then whether the window lets the session end, yes or no,
// and Text1 to Text10), send|post MESSAGE WPARAM LPARAM (to the window, as any program may), hold (keeps Wine's
// desktop: see tools/test). Each wait has a limit.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>

#include "bench/driver.h"
#include "bench/file_drop.h"

namespace {

constexpr DWORD kLimit = 30000;

void Print(const std::wstring& line)
{
    std::string bytes(line.size() * 4 + 1, '\0');
    bytes.resize(WideCharToMultiByte(
        CP_UTF8, 0, line.data(), int(line.size()), bytes.data(), int(bytes.size()), nullptr, nullptr));
    std::printf("%s\n", bytes.c_str());
    std::fflush(stdout);
}

[[noreturn]] void GiveUp(const char* what)
{
    std::fprintf(stderr, "probe: no %s within %lu s\n", what, kLimit / 1000);
    std::exit(3);
}

HWND Find(const wchar_t* className, const wchar_t* title = L"Nomichron")
{
    for (DWORD waited = 0; waited < kLimit; waited += 20, Sleep(20)) {
        const HWND window = FindWindowW(className, title);
        if (window != nullptr && IsWindowVisible(window))
            return window;
    }
    GiveUp(className[0] == L'#' ? "dialog" : "Nomichron window");
}

void Click(HWND button)
{
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, 0, kLimit, &ignored))
        GiveUp("answer to a click");
}

// Told by its colours on the screen, once drawn: the exclamation mark stands on a yellow triangle.
const wchar_t* IconOf(HWND box)
{
    for (HWND icon = GetWindow(box, GW_CHILD); icon; icon = GetWindow(icon, GW_HWNDNEXT)) {
        if ((GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !SendMessageW(icon, STM_GETICON, 0, 0))
            continue;
        RECT r{};
        GetWindowRect(icon, &r);
        const HDC screen = GetDC(nullptr);
        int yellow = 0;
        for (DWORD waited = 0; yellow <= 40 && waited < 3000; waited += 50, Sleep(50)) {
            yellow = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    const COLORREF pixel = GetPixel(screen, x, y);
                    yellow += GetRValue(pixel) > 200 && GetGValue(pixel) > 120 && GetBValue(pixel) < 80;
                }
        }
        ReleaseDC(nullptr, screen);
        return yellow > 40 ? L"exclamation" : L"other";
    }
    return L"none";
}

// Picture1's role and name for a screen reader, then its default action three times: the first must
// return at once, though it opens the Open dialog; the others come while the dialog is up.
void Press(HWND picture1, HWND form)
{
    CoInitialize(nullptr);
    IAccessible* button = nullptr;
    if (AccessibleObjectFromWindow(picture1, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&button)))
        GiveUp("accessible object");
    VARIANT self{}, role{};
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    button->get_accRole(self, &role), button->get_accName(self, &name);
    Print(std::to_wstring(role.lVal) + L" " + (name ? name : L""));
    std::thread([] { Sleep(kLimit), GiveUp("return from the default action"); }).detach();
    button->accDoDefaultAction(self);
    Print(L"returned");
    Find(L"#32770", L"Open");
    button->accDoDefaultAction(self), PostMessageW(picture1, BM_CLICK, 0, 0), Sleep(1500);
    int dialogs = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", L"Open"); w;
         w = FindWindowExW(nullptr, w, L"#32770", L"Open"))
        dialogs += IsWindowVisible(w) ? 1 : 0;
    Print(std::to_wstring(dialogs) + (IsWindowEnabled(form) ? L" enabled" : L" disabled"));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argv[1];
    std::ifstream file(argv[argc - 1], std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(file)), {});
    std::wstring text(utf8.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), int(text.size())));
    if (mode == L"start") { // still running then, it is ended as its Program goes
        const ScopedHandle occupied(
            argc > 3 ? CreateEventW(nullptr, TRUE, FALSE, L"Local\\Nomichron.Instance") : nullptr);
        const DWORD code = WaitForExit(StartCommandLine(text), kLimit);
        return code != STILL_ACTIVE ? static_cast<int>(code) : (GiveUp("end of Nomichron"), 3);
    }
    if (mode == L"message") {
        const HWND box = Find(L"#32770"), owner = GetWindow(box, GW_OWNER);
        std::wstring message = WindowText(GetDlgItem(box, 0xFFFF));
        for (std::size_t at = message.find(L"\r\n"); at != std::wstring::npos; at = message.find(L"\r\n"))
            message.replace(at, 2, L"<CRLF>");
        message += L"\n" + std::wstring(IconOf(box)) + (IsWindowVisible(owner) ? L"\nvisible" : L"\nhidden") +
                   (IsWindowEnabled(owner) ? L" enabled\n" : L" disabled\n");
        for (int id = 301; id <= 310; ++id) // Text1 to Text10
            message += (id > 301 ? L"|" : L"") + WindowText(GetDlgItem(owner, id));
        Print(message);
        return Click(GetDlgItem(box, IDOK)), 0;
    }
    if (mode == L"hold") { // on the desktop, by a hidden window, until ended
        if (!CreateWindowW(L"STATIC", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr))
            return 3;
        Sleep(INFINITE);
    }
    const HWND window = Find(L"NomichronForm1");
    if (mode == L"close")
        return Print(WindowText(GetDlgItem(window, 301))), !PostMessageW(window, WM_CLOSE, 0, 0);
    if (mode == L"press")
        return Press(GetDlgItem(window, 200), window), 0;
    if (mode == L"tooltip")
        return Find(L"tooltips_class32", nullptr), Print(L"tooltip"), 0;
    if (mode == L"foreground") // its title
        return Print(WindowText(GetForegroundWindow())), 0;
    if (mode == L"send" || mode == L"post") { // MESSAGE WPARAM LPARAM, as another program may; 0 once delivered
        const UINT message = wcstoul(argv[2], nullptr, 0);
        const WPARAM wParam = wcstoull(argv[3], nullptr, 0);
        const LPARAM lParam = wcstoll(argv[4], nullptr, 0);
        DWORD_PTR ignored = 0;
        return mode == L"post" ? !PostMessageW(window, message, wParam, lParam)
                               : !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kLimit, &ignored);
    }
    if (mode == L"click")
        return !PostMessageW(GetDlgItem(window, 100 + _wtoi(argv[2])), BM_CLICK, 0, 0);
    if (mode == L"asked") {
        if (argc > 2)
            PostMessageW(GetDlgItem(window, 200), BM_CLICK, 0, 0);
        DWORD_PTR yes = 0;
        if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kLimit, &yes))
            GiveUp("answer to the session's end");
        std::wstring answer = yes ? L"yes" : L"no";
        for (int id = 301; id <= 310; ++id) // Text1 to Text10
            answer += L"|" + WindowText(GetDlgItem(window, id));
        return Print(answer), 0;
    }
    if (mode == L"watch") {
        for (DWORD_PTR ignored = 0; IsWindow(window); Sleep(50)) {
            if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) && IsWindow(window))
                return Print(L"unanswered"), 0;
        }
        return Print(L"answered"), 0;
    }
    if (mode == L"focus") { // once the focus has settled on a control
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        for (int waited = 0; waited < 5000 && !IsChild(window, thread.hwndFocus); waited += 20, Sleep(20))
            GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
        return Print(std::to_wstring(GetDlgCtrlID(thread.hwndFocus))), 0;
    }
    Click(GetDlgItem(window, 100 + _wtoi(argv[2])));
    RECT picture{};
    GetWindowRect(GetDlgItem(window, 200), &picture);
    SetCursorPos((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
    std::vector<std::wstring> paths;
    std::wstringstream lines(text);
    for (std::wstring path; std::getline(lines, path);)
        paths.push_back(path);
    const auto pause = [] { // inside the window's Drop, until the test closes standard input
        for (Print(L"paused"); std::getchar() != EOF;) {
        }
    };
    const std::wstring how = argc > 4 ? argv[3] : L"";
    const Offer offer = how == L"ansi" ? Offer::AnsiList : Offer::WideList;
    unsigned long effect = 0, shown = 0;
    OleInitialize(nullptr);
    const long result =
        DropFiles(paths, &effect, how == L"paused" ? std::function<void()>(pause) : nullptr, offer, &shown);
    std::wstring answer = result != DRAGDROP_S_DROP ? L"no drop" : effect == DROPEFFECT_COPY ? L"copy" : L"not copy";
    Print(answer + (shown == DROPEFFECT_COPY && effect != DROPEFFECT_COPY ? L", shown copy" : L""));
    return 0;
}
