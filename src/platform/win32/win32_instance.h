#pragma once
#include <windows.h>

#include "platform/instance.h"

namespace kestro {

// The class of the application window, by which a second instance tells
// this one's window from any other with the same title.
inline constexpr wchar_t kAppWindowClass[] = L"KestroApplication";

// Another instance is recognised by a named mutex that the first one holds
// for its whole life; it is brought forward through its application window.
class Win32Instance final : public Instance {
public:
    // The message a second instance posts to ask the first to come forward.
    static UINT activationMessage();

    ~Win32Instance() override;
    bool anotherRunning() override;
    void activate(std::string_view title) override;

private:
    HANDLE mutex_ = nullptr;
    bool asked_ = false;
    bool another_ = false;
};

}  // namespace kestro
