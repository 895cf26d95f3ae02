#include "app/command_line_start.h"

#include <string_view>
#include <vector>

#include "app/platform.h"
#include "core/failure.h"
#include "core/finish_rename.h"
#include "core/int16.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"

const std::u16string kCommandLineFailureText = u"処理が間に合いません\r\n再実行してください";

namespace {

// n double quotes give n + 1 pieces; empty pieces count.
std::vector<std::u16string_view> SplitAtQuotes(std::u16string_view text)
{
    std::vector<std::u16string_view> pieces;
    std::size_t start = 0;
    for (std::size_t quote = text.find(u'"'); quote != std::u16string_view::npos; quote = text.find(u'"', start)) {
        pieces.push_back(text.substr(start, quote - start));
        start = quote + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// 1-based position of the piece's last colon, 0 when it has none. The
// position is a 16-bit number, so a piece of 32767 or more code units fails.
Int16 FindLastColon(std::u16string_view piece)
{
    Int16 lastColon = 0;
    for (Int16 position = 1; position <= static_cast<long long>(piece.size()); position = StepInt16(position)) {
        if (piece[position - 1] == u':')
            lastColon = position;
    }
    return lastColon;
}

// Inside double quotes (the odd pieces) a trailing space belongs to the file's
// name: it stays, so that the rename refuses the name instead of Win32
// dropping the space and renaming the file named without it.
std::u16string TrimSpaces(std::u16string_view text, bool insideQuotes)
{
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const std::size_t end = insideQuotes ? text.size() : text.find_last_not_of(u' ') + 1;
    return std::u16string(text.substr(first, end - first));
}

void RenameOnePath(const StartupPlatform& platform, const std::u16string& path, Int16 secondOffset)
{
    RenameFields& fields = platform.window.Fields();
    const ClockReading stamp = BeginFile(fields, path, platform.clock, secondOffset);
    // The offset is already in second: no AdjustSecond here.
    ComposeStem(NamingScheme::Compact, fields, 0, stamp.year);
    FinishRename(fields, platform.fileSystem);
}

enum class PiecesEnd { AllHandled, WindowShown };

// The text after the last double quote is never looked at. A piece shorter
// than four code units is skipped; a piece without a colon reuses the path of
// the latest piece that had one. Every skipped piece raises the second offset
// of the files after it by one.
PiecesEnd RenameEveryPiece(const StartupPlatform& platform, std::u16string_view arguments)
{
    const std::vector<std::u16string_view> pieces = SplitAtQuotes(arguments);
    const long long lastIndex = static_cast<long long>(pieces.size()) - 2;
    Int16 processedCount = 0;
    std::u16string workingPath;
    for (Int16 pieceIndex = 0; pieceIndex <= lastIndex; pieceIndex = StepInt16(pieceIndex)) {
        const std::u16string_view piece = pieces[pieceIndex];
        if (piece.size() < 4)
            continue;
        const Int16 colon = FindLastColon(piece);
        if (colon == 1)
            throw Failure(FailureCause::NothingBeforeColon);
        if (colon > 1)
            workingPath = TrimSpaces(piece.substr(colon - 2), pieceIndex % 2 == 1);
        if (workingPath.empty()) {
            platform.window.Show();
            return PiecesEnd::WindowShown;
        }
        const Int16 secondOffset = ToInt16(pieceIndex - processedCount);
        processedCount = StepInt16(processedCount);
        RenameOnePath(platform, workingPath, secondOffset);
    }
    return PiecesEnd::AllHandled;
}

} // namespace

void Form_Load(const StartupPlatform& platform)
{
    if (platform.process.IsAnotherInstanceRunning()) {
        platform.process.EndProgram();
        return;
    }
    const ArgumentString arguments = platform.process.Arguments();
    if (arguments.text.empty() && !arguments.stopsAtRefused) {
        platform.window.Show();
        return;
    }
    bool failed = false;
    try {
        if (RenameEveryPiece(platform, arguments.text) == PiecesEnd::WindowShown)
            return;
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
