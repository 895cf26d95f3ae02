#include "app/drop_handling.h"

#include "app/platform.h"
#include "core/failure.h"
#include "core/finish_rename.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"

const std::u16string kTimingFailureText = u"処理が間に合いません。再実行してください。";
const std::u16string kSameNameFailureText =
    u"同名のファイルが存在するのでリネームできません\r\n同名ファイルを別のフォルダに移動してから再実行してください。";
const std::u16string kCounterLimitText = u"処理可能なファイルは999個までです。";

namespace {

// Which message a failure shows. Each file's scheme step switches it on;
// nothing switches it off during the drop.
enum class FailureMode { None, TimingFailure, SameNameFailure };

enum class DropEnd { AllRenamed, CounterLimit, Failed, Stopped };

DropEnd RenameEveryPath(const DropPlatform& platform, DropData& data, FailureMode& mode)
{
    const long long fileCount = data.FileCount();
    for (Int16 counter = 1; counter <= fileCount; counter = StepInt16(counter)) {
        RenameFields& fields = platform.window.Fields();
        const std::u16string path = data.PathAt(counter);
        // Read before the stamp: the selection cannot change during a drop, and
        // the stamp and AdjustSecond's check then stand as close as they can,
        // so that a second boundary rarely falls between them.
        const NamingScheme scheme = platform.window.SelectedScheme();
        const ClockReading stamp = BeginFile(fields, path, platform.clock, 0);
        if (scheme == NamingScheme::Compact || scheme == NamingScheme::Dashed) {
            mode = FailureMode::TimingFailure;
            AdjustSecond(fields, platform.clock, counter);
            ComposeStem(scheme, fields, counter, stamp.year);
        } else {
            mode = FailureMode::SameNameFailure;
            if (ComposeStem(scheme, fields, counter, stamp.year) == StemResult::CounterLimit)
                return DropEnd::CounterLimit;
        }
        FinishRename(fields, platform.fileSystem);
        // Only here, between two files: a stamp and its check stand together.
        if (!platform.progress.FileDone(counter, fileCount))
            return DropEnd::Stopped;
    }
    return DropEnd::AllRenamed;
}

} // namespace

void Picture1_OLEDragDrop(const DropPlatform& platform, DropData& data)
{
    if (!data.HasFileList())
        return;
    FailureMode mode = FailureMode::None;
    DropEnd end = DropEnd::Failed;
    try {
        end = RenameEveryPath(platform, data, mode);
    } catch (const Failure&) {
        // Before the first scheme step the failure handling is not armed yet.
        if (mode == FailureMode::None)
            throw;
        // Nothing is retried or undone: earlier files keep their new names.
    }
    platform.window.ShowFields();
    switch (end) {
    case DropEnd::AllRenamed:
    case DropEnd::Stopped: // the session ends, and the program with it
        platform.window.Close();
        return;
    case DropEnd::CounterLimit:
        platform.messages.ShowMessage(kCounterLimitText, MessageIcon::None);
        return;
    case DropEnd::Failed:
        platform.progress.ShowFailed();
        platform.messages.ShowMessage(
            mode == FailureMode::TimingFailure ? kTimingFailureText : kSameNameFailureText, MessageIcon::Exclamation);
        return;
    }
}
