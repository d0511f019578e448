#include "programarguments.h"

ProgramArgumentsResult ProgramArguments(int argc, char** argv, bool, std::vector<std::string>& arguments) {
    arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ProgramArgumentsResult::Read;
}

void UseBinaryStandardStreams() {}
