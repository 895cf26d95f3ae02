#include "tests/native/fakes.h"

#include <algorithm>

#include "core/failure.h"

namespace {

// The next scripted answer; the last one is kept for every later call.
template <typename T>
T NextOf(std::deque<T>& script)
{
    const T next = script.front();
    if (script.size() > 1)
        script.pop_front();
    return next;
}

} // namespace

ClockReading FakeClock::ReadClock()
{
    ++readCount;
    return NextOf(readings);
}

bool CaseInsensitiveLess::operator()(const std::u16string& a, const std::u16string& b) const
{
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char16_t x, char16_t y) { return fold(x) < fold(y); });
}

namespace {

std::u16string ParentOf(const std::u16string& path)
{
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

} // namespace

void FakeFileSystem::AddFolder(const std::u16string& path)
{
    for (std::u16string folder = path; !folder.empty() && !Exists(folder); folder = ParentOf(folder))
        entries[folder] = "";
}

void FakeFileSystem::AddFile(const std::u16string& path, const std::string& content)
{
    AddFolder(ParentOf(path));
    entries[path] = content;
}

bool FakeFileSystem::Exists(const std::u16string& path) const
{
    return entries.count(path) > 0;
}

std::string FakeFileSystem::ContentOf(const std::u16string& path) const
{
    const auto found = entries.find(path);
    return found == entries.end() ? std::string() : found->second;
}

void FakeFileSystem::RenameNoReplace(const std::u16string& from, const std::u16string& to)
{
    constexpr std::uint32_t kFileNotFound = 2, kPathNotFound = 3, kAlreadyExists = 183;
    if (!Exists(from))
        throw Failure(FailureCause::RenameRefused, kFileNotFound);
    if (!Exists(ParentOf(to)))
        throw Failure(FailureCause::RenameRefused, kPathNotFound);
    if (Exists(to))
        throw Failure(FailureCause::RenameRefused, kAlreadyExists);
    const std::string content = entries[from];
    entries.erase(from);
    entries[to] = content;
    renames.emplace_back(from, to);
}

FakeWindow::FakeWindow()
{
    fields = {u"Text1", u"Text2", u"Text3", u"Text4", u"Text5", u"Text6", u"Text7", u"Text8", u"Text9", u"Text10"};
}

std::u16string FakeDropData::PathAt(Int16 position)
{
    if (position == unreadablePosition)
        throw Failure(FailureCause::PlatformCall);
    return paths.at(position - 1);
}

NamingScheme FakeWindow::SelectedScheme()
{
    ++schemeReads;
    return NextOf(schemes);
}

ClockReading Reading(int year, int month, int day, int hour, int minute, int second)
{
    return ClockReading{year, month, day, hour, minute, second};
}
