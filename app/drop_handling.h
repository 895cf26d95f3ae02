#pragma once

#include <string>

class BatchProgress;
class Clock;
class DropData;
class FileSystem;
class MainWindow;
class Messages;

struct DropPlatform {
    MainWindow& window;
    Messages& messages;
    Clock& clock;
    FileSystem& fileSystem;
    BatchProgress& progress;
};

extern const std::u16string kTimingFailureText;
extern const std::u16string kSameNameFailureText;
extern const std::u16string kCounterLimitText;

// A drop on Picture1: renames every dropped path with the selected scheme,
// reporting each file's end to the window, then closes the window; so does
// a batch that stops because the user's session ends. A failure shows the message of the scheme's
// failure mode, and the counter schemes' 1000th file the limit message; either
// stops the drop and leaves the window open for another. Data without a file
// list is ignored.
void Picture1_OLEDragDrop(const DropPlatform& platform, DropData& data);
