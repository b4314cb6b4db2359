// A stand-in for the platform layer whose answers a test scripts: it works on the real files
// of the scratch game folder, but before every call it asks the test's script, which may act
// as another process would (create or remove a file) and may make an open fail.
#pragma once

#include <functional>
#include <string>

// The call about to be made: "open rb", "open ab", ... or "exists", and its path as given.
struct Platform_Call {
    std::string what;
    std::string path;
};

// Runs before every call of the stand-in; true makes an open fail as if the system refused it.
// Empty: every call does what the real layer would.
extern std::function<bool(const Platform_Call&)> Platform_Script;
