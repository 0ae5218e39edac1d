#include "line_log.h"

#include "common/clock.h"

namespace standin {

LineLog::LineLog(const std::wstring& path)
    : file_(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

LineLog::~LineLog()
{
    if (is_open())
        CloseHandle(file_);
}

void LineLog::write_line(std::string_view text)
{
    if (!is_open())
        return;
    std::string line = std::to_string(e2e::nowUsec());
    line += ' ';
    line += text;
    line += '\n';
    DWORD written = 0;
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace standin
