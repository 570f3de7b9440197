#include "ChildProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace {

std::string CommandText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += (text.empty() ? "" : " ") + argument;
    return text;
}

// The child's file actions (standard output to /dev/null), released on
// every path.
struct SpawnSetup {
    posix_spawn_file_actions_t Actions;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&Actions);
        posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
    }
    ~SpawnSetup() { posix_spawn_file_actions_destroy(&Actions); }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

void RunProgram(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        throw std::invalid_argument("RunProgram: no program");
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    SpawnSetup setup;
    pid_t child = 0;
    const int error = posix_spawnp(&child, argv[0], &setup.Actions, nullptr, argv.data(), environ);
    if (error != 0)
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            throw std::runtime_error("waitpid failed for " + CommandText(arguments));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("failed: " + CommandText(arguments));
}
