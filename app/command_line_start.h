#pragma once

#include <string>

class Clock;
class FileSystem;
class MainWindow;
class Messages;
class Process;

struct StartupPlatform {
    Process& process;
    MainWindow& window;
    Messages& messages;
    Clock& clock;
    FileSystem& fileSystem;
};

// The failure message of the command-line start.
extern const std::u16string kCommandLineFailureText;

// Start-up: a second instance ends at once; an empty command line shows the
// window; otherwise every file named on it is renamed to its compact stamp
// and the window is closed, or a failure shows its message and then closes it.
void Form_Load(const StartupPlatform& platform);
