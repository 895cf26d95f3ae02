#pragma once

#include <string>
#include <vector>

// Drops a list of files on the window under the cursor, as a file manager's
// drag does: a DROPFILES block offered as CF_HDROP, released at once. OLE
// must be initialised on the calling thread. Returns DoDragDrop's result.
long DropFiles(const std::vector<std::wstring>& paths);
