#include "app/command_line_start.h"

#include "app/platform.h"
#include "core/failure.h"
#include "core/finish_rename.h"
#include "core/int16.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"

const std::u16string kCommandLineFailureText = u"処理が間に合いません\r\n再実行してください";

namespace {

void RenameOnePath(const StartupPlatform& platform, const std::u16string& path, Int16 secondOffset)
{
    RenameFields& fields = platform.window.Fields();
    const ClockReading stamp = BeginFile(fields, path, platform.clock, secondOffset);
    // The offset is already in second: no AdjustSecond here.
    ComposeStem(NamingScheme::Compact, fields, 0, stamp.year);
    FinishRename(fields, platform.fileSystem);
}

} // namespace

void Form_Load(const StartupPlatform& platform)
{
    if (platform.process.IsAnotherInstanceRunning()) {
        platform.process.EndProgram();
        return;
    }
    const CommandLinePaths arguments = platform.process.Arguments();
    if (arguments.paths.empty() && !arguments.stopsAtRefused) {
        platform.window.Show();
        return;
    }
    bool failed = false;
    try {
        // Each file's second is the stamp's plus its place on the line: 1, 2, 3...
        Int16 secondOffset = 0;
        for (const std::u16string& path : arguments.paths) {
            secondOffset = StepInt16(secondOffset);
            RenameOnePath(platform, path, secondOffset);
        }
        if (arguments.stopsAtRefused)
            throw Failure(FailureCause::NotAWholePath);
    } catch (const Failure&) {
        // Nothing is retried or undone: earlier files keep their new names.
        failed = true;
    }
    platform.window.ShowFields();
    if (failed)
        platform.messages.ShowMessage(kCommandLineFailureText, MessageIcon::Exclamation);
    platform.window.Close();
}
