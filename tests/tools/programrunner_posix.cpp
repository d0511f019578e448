#include "programrunner.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <csignal>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <thread>

extern char** environ;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::string ReadAll(std::FILE* file) {
    std::rewind(file);
    std::string content;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        content.append(buffer, got);
    }
    return content;
}

struct FileActions {
    FileActions() { posix_spawn_file_actions_init(&actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
    posix_spawn_file_actions_t actions;
};

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      int killAfterMilliseconds) {
    ProgramRun run;
    // Files rather than pipes: the child can write any amount without waiting for us.
    const UniqueFile out(std::tmpfile());
    const UniqueFile err(std::tmpfile());
    if (!out || !err) {
        run.err = "cannot create the output files";
        return run;
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(&word[0]);
    }
    argv.push_back(nullptr);

    FileActions files;
    posix_spawn_file_actions_addopen(&files.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files.actions, fileno(out.get()), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&files.actions, fileno(err.get()), STDERR_FILENO);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &files.actions, nullptr, argv.data(), environ) != 0) {
        run.err = "cannot start " + program;
        return run;
    }
    int status = 0;
    if (killAfterMilliseconds >= 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(killAfterMilliseconds);
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                kill(child, SIGKILL);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.out = ReadAll(out.get());
    run.err = ReadAll(err.get());
    return run;
}
