#include "programrunner.h"

#include <windows.h>

namespace {

const DWORD kTimeoutMilliseconds = 60000;

struct HandleCloser {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~HandleCloser() {
        if (handle != INVALID_HANDLE_VALUE && handle != nullptr) {
            CloseHandle(handle);
        }
    }
};

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], size);
    return wide;
}

// Quoted so that CommandLineToArgvW and the C runtime give the word back
// unchanged: backslashes count only before a quote.
std::wstring Quoted(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) {
        return word;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// An inheritable temporary file that goes away when its last handle closes.
HANDLE CreateCaptureFile() {
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"run", 0, path) == 0) {
        return INVALID_HANDLE_VALUE;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string ReadAll(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    return content;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      int killAfterMilliseconds) {
    ProgramRun run;
    HandleCloser out{CreateCaptureFile()};
    HandleCloser err{CreateCaptureFile()};
    if (out.handle == INVALID_HANDLE_VALUE || err.handle == INVALID_HANDLE_VALUE) {
        run.err = "cannot create the output files";
        return run;
    }
    std::wstring commandLine = Quoted(Wide(program));
    for (const std::string& argument : arguments) {
        commandLine += L" " + Quoted(Wide(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.handle;
    startup.hStdError = err.handle;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(Wide(program).c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        run.err = "cannot start " + program;
        return run;
    }
    HandleCloser processHandle{process.hProcess};
    HandleCloser threadHandle{process.hThread};
    if (killAfterMilliseconds >= 0 &&
        WaitForSingleObject(process.hProcess, static_cast<DWORD>(killAfterMilliseconds)) == WAIT_TIMEOUT) {
        run.killed = TerminateProcess(process.hProcess, 1) != 0;
    }
    // A test program under Wine runs as a whole; a hung child must not hang it.
    if (WaitForSingleObject(process.hProcess, kTimeoutMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kTimeoutMilliseconds);
        run.err = program + " did not end in time";
        return run;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    run.exitCode = static_cast<int>(exitCode);
    run.out = ReadAll(out.handle);
    run.err = ReadAll(err.handle);
    return run;
}
