#pragma once
// The fresh folder one program runs in: its copy, the dinput8.dll stand-in, settings.ini
// that starts it hidden polling the scripted controller, and the controller script.

#include <string>

namespace e2e::measure {

class VariantFolder {
public:
    VariantFolder(std::wstring folder, const std::wstring& program);

    // Copies and writes everything; false with `problem()` set when something failed.
    bool prepare(const std::wstring& standinsFolder);
    bool setButtonDown(bool down);

    const std::wstring& path() const { return folder_; }
    std::wstring programCopy() const;
    std::wstring dinputLog() const;
    std::wstring hostLog() const;
    const std::string& problem() const { return problem_; }

private:
    bool fail(const std::string& what);

    std::wstring folder_;
    std::wstring program_;
    std::string problem_;
};

}  // namespace e2e::measure
