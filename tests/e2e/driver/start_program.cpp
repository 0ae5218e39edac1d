#include "start_program.h"

#include "common/text.h"
#include "failure.h"

namespace e2e {

ChildProcess startProgram(const std::wstring& program, const std::wstring& arguments,
                          const std::wstring& workingFolder) {
    ChildProcess process(program, arguments, workingFolder);
    if (!process.started())
        fail("cannot start " + narrow(program) + " (error " + std::to_string(process.startError()) + ")");
    return process;
}

}  // namespace e2e
