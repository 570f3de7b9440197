#pragma once
// Runs a program the way a shell would, without the shell: the reference
// tools are timed as a user runs them (process start included), and a
// shell's own start would only add noise.

#include <string>
#include <vector>

// Runs `arguments[0]` (looked up on PATH) with the rest as its arguments,
// standard output to /dev/null, and waits for it. Throws std::runtime_error
// when it cannot be started or does not exit with status 0.
void RunProgram(const std::vector<std::string>& arguments);
