#pragma once

#include <functional>
#include <string>
#include <vector>

// How the drag's list is written: UTF-16, as a file manager's drag offers
// it, or in the system's ANSI code page, as an older program might.
enum class Offer { WideList, AnsiList };

// Drops a list of files on the window under the cursor, as a file manager's
// drag does: a DROPFILES block offered as CF_HDROP for COPY, released at
// once. OLE must be initialised on the calling thread. Returns DoDragDrop's
// result, and the effect the target answered when asked. handingOver, when
// given, runs when the target first asks for the list, inside its Drop: a
// test can hold the drop there. shown: the effect the target answered on
// entering, which sets the cursor.
long DropFiles(const std::vector<std::wstring>& paths, unsigned long* effect = nullptr,
               const std::function<void()>& handingOver = nullptr, Offer offer = Offer::WideList,
               unsigned long* shown = nullptr);
