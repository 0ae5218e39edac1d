#pragma once
#include <string_view>

namespace kestro {

// The single-instance rule across processes.
class Instance {
public:
    virtual ~Instance() = default;

    // True when another instance of the program is already running.
    virtual bool anotherRunning() = 0;
    // Brings forward the running instance known by `title`; does not wait.
    virtual void activate(std::string_view title) = 0;
};

}  // namespace kestro
