#pragma once
// The programs velmar-demo starts: the virtual radio and Velmar.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace velmar::demo {

struct Child {
    pid_t Pid = -1;  // -1 once it has been waited for
    int Output = -1; // read end of its standard output, when it was captured
};

// Starts `argv` (argv[0] a path, or a name looked up in PATH) with the signal
// mask emptied.
// With `captureOutput` its standard output comes to Child::Output. The child
// gets SIGTERM when the launcher dies, so that nothing outlives the demo.
// Nothing when the process cannot be made; a program that cannot be run ends
// at once with status 127.
std::optional<Child> Spawn(const std::vector<std::string>& argv, bool captureOutput);

// The first line the child prints on its captured output, without the line
// end, within `timeout`; nothing when it ends or stays silent.
std::optional<std::string> ReadFirstLine(const Child& child, std::chrono::milliseconds timeout);

// Takes the child's status if it has ended, without waiting.
std::optional<int> Reap(Child& child);

// Ends the child the friendly way (SIGTERM) and waits; after `grace` it is
// killed. Returns its wait status.
int Stop(Child& child, std::chrono::milliseconds grace);

} // namespace velmar::demo
