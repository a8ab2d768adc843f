#include "cli/signing/signing_tool.h"

#include "common/utf8_path.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Cli {

const char kSigningToolMissing[] =
    "signing needs osslsigncode: install osslsigncode.exe and put its folder on PATH";
const char kStandardInputPath[] = "";

namespace {

// One end of a pipe for the child (inherited) and one for this process (not inherited).
struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    bool Open(bool childReads) {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        if (!::CreatePipe(&read, &write, &inherit, 0)) return false;
        return ::SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    }
    void Close(HANDLE& end) {
        if (end != nullptr) ::CloseHandle(end);
        end = nullptr;
    }
    ~Pipe() {
        Close(read);
        Close(write);
    }
};

// An argument as the C runtime of the child splits its command line: quoted, with the
// backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
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

std::wstring CommandLine(const std::vector<std::string>& arguments) {
    std::wstring line = Quoted(Common::PathFromUtf8(kSigningTool).wstring());
    for (const std::string& argument : arguments) {
        line += L" " + Quoted(Common::PathFromUtf8(argument).wstring());
    }
    return line;
}

std::string ReadAll(HANDLE from) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

}  // namespace

ToolRun RunSigningTool(const std::vector<std::string>& arguments,
                       const std::optional<std::string>& input) {
    ToolRun run;
    Pipe in, out;
    if (!in.Open(true) || !out.Open(false)) return run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.read;
    startup.hStdOutput = out.write;
    startup.hStdError = out.write;
    PROCESS_INFORMATION process{};
    std::wstring line = CommandLine(arguments);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        return run;
    }
    ::CloseHandle(process.hThread);
    in.Close(in.read);
    out.Close(out.write);
    DWORD written = 0;
    if (input) ::WriteFile(in.write, input->data(), static_cast<DWORD>(input->size()), &written, nullptr);
    in.Close(in.write);
    run.output = ReadAll(out.read);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    run.started = true;
    run.exitCode = static_cast<int>(exitCode);
    return run;
}

}  // namespace Orvane::Cli
