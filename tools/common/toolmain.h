// What every tool's main does around its commands: parse the arguments with
// CLI11, run the chosen command, turn failures into an exit status.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailed = 1,  // the operation failed, or a check found something
    kExitUsage = 2,   // the command line was wrong
};

// A command's work once its arguments are parsed; returns the exit status.
using CommandAction = std::function<int()>;
using CommandActions = std::map<const CLI::App*, CommandAction>;

// The project's version, as --version prints it after the tool's name.
std::string ToolVersion();

// Parses the program's arguments (as UTF-8 or in the system code page, see
// ProgramArguments), runs the action of the one subcommand chosen and returns
// the process's exit status. Help and the version (--version: the tool's name
// and the project's version) go to standard output; every error is one line
// on standard error. A command's UsageError exits with kExitUsage like a
// wrong command line.
int RunTool(const std::string& toolName, CLI::App& app, const CommandActions& actions, int argc, char** argv,
            bool utf8Arguments);
