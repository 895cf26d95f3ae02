#pragma once

#include <string>
#include <vector>

// Drops a list of files on the window under the cursor, as a file manager's
// drag does: a DROPFILES block offered as CF_HDROP for COPY, released at
// once. OLE must be initialised on the calling thread. Returns DoDragDrop's
// result, and the effect the target answered when asked.
long DropFiles(const std::vector<std::wstring>& paths, unsigned long* effect = nullptr);
