#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/windows/harness.h"

// Nomichron with its window open and an option selected, then a drop of the
// paths on Picture1. The drag runs on a thread of its own: the drop handler
// runs inside the drop, so a message it shows must be answered from here.
class DropSession {
public:
    DropSession(int option, std::vector<std::wstring> paths);
    ~DropSession()
    {
        if (drag.joinable())
            drag.join();
    }

    // Waits for the drop to be handled; returns its seconds. A message box
    // met on the way is a failure of the test, answered so that it ends.
    double FinishDrop();

    ChildProcess child;
    HWND window = nullptr; // Form1

private:
    std::thread drag;
    HRESULT result = E_FAIL;
    std::atomic<bool> dropped{false};
    std::chrono::steady_clock::time_point start;
};

