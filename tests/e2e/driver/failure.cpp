#include "failure.h"

namespace e2e {

void fail(const std::string& reason) { throw Failure(reason); }

void expect(bool ok, const std::string& reason) {
    if (!ok) fail(reason);
}

}  // namespace e2e
