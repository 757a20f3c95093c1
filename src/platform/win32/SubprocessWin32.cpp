// Programs started with CreateProcessW, each in a job of its own so that
// ending it ends what it started.
#include "platform/Subprocess.h"

#include "platform/PathText.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

#include <algorithm>
#include <cwchar>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;

namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// One argument as the C runtime splits a command line again: quoted when it
// has blanks or quotes, backslashes doubled only before a quote.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = wchar_t(std::towupper(c));
    return text;
}

// The caller's environment with the program's own values set over it, sorted
// by name as Windows keeps it.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& over) {
    std::vector<std::wstring> entries;
    std::vector<std::wstring> replaced;
    for (const auto& [name, value] : over) replaced.push_back(Upper(WideFromUtf8(name)));
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1) {
            const std::wstring text = entry;
            // "=C:=C:\..." entries keep the drives' current folders.
            const size_t equals = text.find(L'=', 1);
            const std::wstring name = Upper(text.substr(0, equals));
            if (std::find(replaced.begin(), replaced.end(), name) == replaced.end()) entries.push_back(text);
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : over) entries.push_back(WideFromUtf8(name + "=" + value));
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return Upper(a.substr(0, a.find(L'=', 1))) < Upper(b.substr(0, b.find(L'=', 1)));
    });
    std::wstring out;
    for (const std::wstring& e : entries) out += e + L'\0';
    return out + L'\0';
}

HANDLE Inheritable(const fs::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

Subprocess::~Subprocess() {
    if (Running()) Kill();
    if (group_ != -1) CloseHandle(AsHandle(group_));
}

bool Subprocess::Start(const Program& program, std::string& error) {
    if (program.Command.empty()) {
        error = "no program to start";
        return false;
    }
    std::wstring commandLine;
    for (const std::string& arg : program.Command)
        commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(WideFromUtf8(arg));
    std::wstring environment = EnvironmentBlock(program.Environment);

    const HANDLE input = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE output = program.Output.empty() ? Inheritable(L"NUL", GENERIC_WRITE, OPEN_EXISTING)
                                                 : Inheritable(program.Output, FILE_APPEND_DATA, OPEN_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;

    // Suspended until it is in the job, so nothing it starts escapes.
    const HANDLE job = group_ != -1 ? AsHandle(group_) : CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job) SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    group_ = job ? reinterpret_cast<std::intptr_t>(job) : -1;

    PROCESS_INFORMATION started{};
    const std::wstring folder = program.Folder.native();
    const BOOL ok = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                   CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED | CREATE_NO_WINDOW,
                                   environment.data(), folder.empty() ? nullptr : folder.c_str(), &startup, &started);
    const DWORD failure = ok ? 0 : GetLastError();
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    if (!ok) {
        error = "cannot start " + program.Command[0] + ": " + SystemErrorText(failure);
        return false;
    }
    if (job) AssignProcessToJobObject(job, started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    process_ = reinterpret_cast<std::intptr_t>(started.hProcess);
    exit_.reset();
    return true;
}

bool Subprocess::Running() {
    if (process_ == -1) return false;
    const HANDLE process = AsHandle(process_);
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) return true;
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) exit_ = int(code);
    CloseHandle(process);
    process_ = -1;
    return false;
}

bool Subprocess::GroupRunning() {
    if (Running()) return true;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    return group_ != -1 &&
           QueryInformationJobObject(AsHandle(group_), JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) &&
           accounting.ActiveProcesses > 0;
}

void Subprocess::Kill() {
    if (group_ != -1) TerminateJobObject(AsHandle(group_), 1);
    if (process_ == -1) return;
    const HANDLE process = AsHandle(process_);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 2000);
    CloseHandle(process);
    process_ = -1;
}

std::optional<fs::path> FindProgram(const std::vector<std::string>& names, const std::vector<fs::path>& folders) {
    std::vector<fs::path> places;
    if (const wchar_t* path = _wgetenv(L"PATH")) {
        const std::wstring all = path;
        for (size_t start = 0; start <= all.size();) {
            const size_t end = std::min(all.find(L';', start), all.size());
            if (end > start) places.emplace_back(all.substr(start, end - start));
            start = end + 1;
        }
    }
    places.insert(places.end(), folders.begin(), folders.end());
    std::error_code ec;
    for (const std::string& name : names) {
        for (const fs::path& place : places) {
            for (const std::string& suffix : {std::string(), std::string(".exe")}) {
                const fs::path candidate = place / PathFromUtf8(name + suffix);
                if (fs::is_regular_file(candidate, ec)) return candidate;
            }
        }
    }
    return std::nullopt;
}

}  // namespace orvane
