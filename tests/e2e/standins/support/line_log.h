#pragma once
// Append-only log where every line reaches the file before write_line returns, so a test
// reading the file from outside (even from Linux while Wine runs) sees it at once.

#include <windows.h>

#include <string>
#include <string_view>

namespace standin {

class LineLog {
public:
    explicit LineLog(const std::wstring& path);
    ~LineLog();
    LineLog(const LineLog&) = delete;
    LineLog& operator=(const LineLog&) = delete;

    bool is_open() const { return file_ != INVALID_HANDLE_VALUE; }

    // Writes "<usec> <text>\n" as one WriteFile, so lines from several threads never mix.
    void write_line(std::string_view text);

private:
    HANDLE file_;
};

}  // namespace standin
