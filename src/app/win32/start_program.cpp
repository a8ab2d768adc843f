#include "app/win32/start_program.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <optional>

#include "app/unattended_folder.h"
#include "app/win32/main_dlg.h"
#include "app/win32/unattended_run.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// The program's own version resource, read once for the whole run; null when the reader
// itself cannot be made, which the version line reports.
std::shared_ptr<const Common::CResourceVersion> ReadOwnVersion(HINSTANCE instance) {
    try {
        return std::make_shared<const Common::CResourceVersion>(instance);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// A silent run never waits for a person: its problems go only to the log and the exit code.
void Tell(const UnattendedOptions& options, const std::string& text, UINT icon) {
    if (!options.Silent()) ::MessageBoxA(nullptr, text.c_str(), kDefaultCaption, MB_OK | icon);
}

std::unique_ptr<std::ofstream> OpenLog(const std::u16string& path) {
    std::filesystem::path file(std::wstring(path.begin(), path.end()));
    auto log = std::make_unique<std::ofstream>(file, std::ios::binary | std::ios::trunc);
    if (!*log) return nullptr;
    return log;
}

// The refusal, in the log too when there is one.
int Refuse(const UnattendedOptions& options, RunLog* log, const std::string& text, int code) {
    if (log != nullptr) log->Refuse(text);
    Tell(options, text, MB_ICONERROR);
    return code;
}

int Run(HINSTANCE instance, const UnattendedOptions& options, RunLog* log) {
    if (!options.badArgument.empty()) {
        std::string text = std::string(kBadCommandLine) + "\n" +
                           Os::WideToAnsi(options.badArgument) + "\n\n" + kUnattendedUsage;
        return Refuse(options, log, text, kExitBadCommandLine);
    }
    std::string folder;
    if (options.folder) {
        std::optional<std::string> ansi = AnsiFolder(*options.folder);
        if (!ansi) return Refuse(options, log, kFolderNotAnsi, kExitFolderNotAnsi);
        folder = *ansi;
    }
    if (options.Silent()) return RunUnattended(options.ui, folder, log);
    CMainDlg dialog(ReadOwnVersion(instance), folder, log);
    return static_cast<int>(dialog.Run(::GetActiveWindow()));
}

}  // namespace

int StartProgram(HINSTANCE instance, const UnattendedOptions& options) {
    if (options.help && options.badArgument.empty()) {
        Tell(options, kUnattendedUsage, MB_ICONINFORMATION);
        return kExitCompleted;
    }
    if (!options.logFile) return Run(instance, options, nullptr);
    std::unique_ptr<std::ofstream> file = OpenLog(*options.logFile);
    if (!file) {
        Tell(options, kLogNotCreated, MB_ICONERROR);
        return kExitCannotStart;
    }
    RunLog log(*file);
    return Run(instance, options, &log);
}

}  // namespace Orvane
