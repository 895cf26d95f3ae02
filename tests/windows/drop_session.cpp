// Drops on the real window's Picture1, made by DoDragDrop from this process.
#include "tests/windows/drop_session.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <stdexcept>

#include "bench/file_drop.h"

DropSession::DropSession(int option, std::vector<std::wstring> paths) : child(StartNomichron(L""))
{
    window = WaitForWindow(child, L"NomichronForm1", true, 10000);
    if (window == nullptr)
        throw std::runtime_error("no window");
    SendMessageW(GetDlgItem(window, 100 + option), BM_CLICK, 0, 0);
    RECT picture{};
    GetWindowRect(GetDlgItem(window, 200), &picture);
    SetCursorPos((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
    start = std::chrono::steady_clock::now();
    drag = std::thread([this, paths = std::move(paths)] {
        OleInitialize(nullptr);
        result = DropFiles(paths);
        OleUninitialize();
        dropped = true;
    });
}

double DropSession::FinishDrop()
{
    while (!dropped) {
        if (const HWND box = WaitForMessageBox(child, 100)) {
            ADD_FAILURE() << "unexpected message box";
            ClickOk(box);
        }
    }
    drag.join();
    EXPECT_EQ(result, DRAGDROP_S_DROP);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

