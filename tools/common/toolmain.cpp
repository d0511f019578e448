#include "toolmain.h"

#include <algorithm>
#include <iostream>
#include <new>

#include "programarguments.h"
#include "toolerror.h"

namespace {

int ReportUsageError(const std::string& toolName, const CLI::ParseError& error) {
    std::cerr << ErrorLine(toolName, "", std::string(error.what()) + " (see " + toolName + " --help)") << '\n';
    return kExitUsage;
}

int RunChosenCommand(const std::string& toolName, const CLI::App& app, const CommandActions& actions) {
    for (const CLI::App* command : app.get_subcommands()) {
        const auto action = actions.find(command);
        if (action != actions.end()) {
            return action->second();
        }
    }
    std::cerr << ErrorLine(toolName, "", "no command given (see " + toolName + " --help)") << '\n';
    return kExitUsage;
}

}  // namespace

std::string ToolVersion() { return PXA_VERSION; }

int RunTool(const std::string& toolName, CLI::App& app, const CommandActions& actions, int argc, char** argv,
            bool utf8Arguments) {
    UseBinaryStandardStreams();
    std::vector<std::string> arguments;
    switch (ProgramArguments(argc, argv, utf8Arguments, arguments)) {
    case ProgramArgumentsResult::Read: break;
    case ProgramArgumentsResult::CommandLineUnreadable:
        std::cerr << ErrorLine(toolName, "", "cannot read the command line") << '\n';
        return kExitUsage;
    case ProgramArgumentsResult::CommandLineNotUtf16:
        std::cerr << ErrorLine(toolName, "", "the command line is not valid UTF-16") << '\n';
        return kExitUsage;
    }
    app.set_version_flag("--version", toolName + " " + PXA_VERSION, "print the version and exit");
    // CLI11 takes the arguments last one first.
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        return error.get_exit_code() == 0 ? app.exit(error) : ReportUsageError(toolName, error);
    }
    int status = kExitFailed;
    try {
        status = RunChosenCommand(toolName, app, actions);
    } catch (const UsageError& error) {
        std::cout.flush();
        std::cerr << ErrorLine(toolName, error.file(), std::string(error.what()) + " (see " + toolName + " --help)")
                  << '\n';
        status = kExitUsage;
    } catch (const ToolError& error) {
        std::cout.flush();
        std::cerr << ErrorLine(toolName, error.file(), error.what()) << '\n';
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << ErrorLine(toolName, "", "out of memory") << '\n';
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << ErrorLine(toolName, "", error.what()) << '\n';
    }
    // A listing cut short by a full disk or a closed pipe is a failure too.
    if (!std::cout.flush()) {
        std::cerr << ErrorLine(toolName, "", "cannot write to standard output") << '\n';
        return kExitFailed;
    }
    return status;
}
