// Paths that name a file in an unusual way, given to the real Nomichron.exe:
// whatever the path, the rename touches only the file it names, in its own
// folder. Every entry of the tree is checked by name and content.
#include <gtest/gtest.h>

#include "tests/windows/drop_session.h"
#include "tests/windows/harness.h"

namespace {

// x\a.jpg, x\sub\b.jpg, y\c.jpg, x\my.dir\README, a folder x\050131010105.dir
// that a wrong split would move README into, x\e.jpg, and x\dot.jpg. beside
// x\dot.jpg, which Win32 would take for it.
struct HostileTree {
    HostileTree()
    {
        for (const wchar_t* folder : {L"x", L"x\\sub", L"y", L"x\\my.dir", L"x\\050131010105.dir"})
            CreateDirectoryW((root / folder).c_str(), nullptr);
        for (const wchar_t* file : {L"x\\a.jpg", L"x\\sub\\b.jpg", L"y\\c.jpg", L"x\\my.dir\\README", L"x\\e.jpg",
                                    L"x\\dot.jpg"})
            WriteTextFile(root / file, std::string(file, file + wcslen(file)));
        WriteTextFile(L"\\\\?\\" + (root / L"x\\dot.jpg."), "dotted");
        expected = Tree(root.Path());
    }

    // The tree as expected after these renames too.
    void Rename(const std::map<std::wstring, std::wstring>& renames)
    {
        for (const auto& [from, to] : renames) {
            expected[to] = expected.at(from);
            expected.erase(from);
        }
    }

    TempFolder root;
    std::map<std::wstring, std::string> expected;
};

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

void ExpectMessageThenClose(const ChildProcess& child, const std::wstring& text)
{
    const HWND box = WaitForMessageBox(child);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), text);
    ClickOk(box);
}

TEST(HostilePaths, OnTheCommandLine)
{
    HostileTree tree;
    const TempFolder& r = tree.root;
    {
        // Slashes and ".." name files of other folders; the open last quote names x itself.
        const FrozenClock clock("2005-01-31 01:01:01");
        const ChildProcess child = StartNomichron(Quoted(r / L"x\\a.jpg") + L" " + Quoted(r / L"x\\sub/b.jpg") + L" " +
                                                  Quoted(r / L"x\\../y/c.jpg") + L" " +
                                                  Quoted(r / L"x\\my.dir/README") + L" \"" + r / L"x");
        EXPECT_EQ(WaitForExit(child, 15000), 0u) << "ended without a message";
        tree.Rename({{L"x\\a.jpg", L"x\\050131010102.jpg"},
                     {L"x\\sub\\b.jpg", L"x\\sub\\050131010103.jpg"},
                     {L"y\\c.jpg", L"y\\050131010104.jpg"},
                     {L"x\\my.dir\\README", L"x\\my.dir\\050131010105"}});
        EXPECT_EQ(Tree(r.Path()), tree.expected);
    }
    // dot.jpg. is refused with the failure message; the file before it keeps its new name.
    const FrozenClock clock("2005-01-31 02:02:02");
    const ChildProcess child = StartNomichron(Quoted(r / L"x\\e.jpg") + L" " + Quoted(r / L"x\\dot.jpg.") + L" " +
                                              Quoted(r / L"x\\050131010102.jpg"));
    ExpectMessageThenClose(child, L"処理が間に合いません\r\n再実行してください");
    EXPECT_EQ(WaitForExit(child, 15000), 0u);
    tree.Rename({{L"x\\e.jpg", L"x\\050131020203.jpg"}});
    EXPECT_EQ(Tree(r.Path()), tree.expected);
}

TEST(HostilePaths, InADrop)
{
    HostileTree tree;
    const TempFolder& r = tree.root;
    const FrozenClock clock("2005-01-31 01:01:01");
    DropSession session(0, {r / L"x\\sub/b.jpg", r / L"x\\../y/c.jpg", r / L"x\\my.dir/README", r / L"x\\e.jpg",
                            r / L"x\\dot.jpg.", r / L"x\\a.jpg"});
    ExpectMessageThenClose(session.child, L"処理が間に合いません。再実行してください。");
    session.FinishDrop();
    tree.Rename({{L"x\\sub\\b.jpg", L"x\\sub\\050131010102.jpg"},
                 {L"y\\c.jpg", L"y\\050131010103.jpg"},
                 {L"x\\my.dir\\README", L"x\\my.dir\\050131010104"},
                 {L"x\\e.jpg", L"x\\050131010105.jpg"}});
    EXPECT_EQ(Tree(r.Path()), tree.expected);
}

} // namespace
