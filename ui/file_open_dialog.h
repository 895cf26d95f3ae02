#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/platform.h"

// Asks for files to rename in the system's Open dialog, owned by the window:
// several at once, existing file-system files only. Returns their full paths
// in the dialog's order, or none when the user cancels (or when one of
// them is no whole path, which a file-system path always is).
std::vector<std::u16string> ChooseFilesToRename(HWND owner);

// Chosen files as the drop handler reads a drop: a file list, 1-based.
class ChosenFiles : public DropData {
public:
    explicit ChosenFiles(std::vector<std::u16string> paths) : paths(std::move(paths)) {}

    bool HasFileList() override { return true; }
    long long FileCount() override { return static_cast<long long>(paths.size()); }
    std::u16string PathAt(Int16 position) override { return paths.at(static_cast<std::size_t>(position - 1)); }

private:
    std::vector<std::u16string> paths;
};
