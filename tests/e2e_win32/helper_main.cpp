// orvpatch_e2e_helper: the Windows side of the end-to-end tests of patch.exe, run under Wine
// beside the program. A test tool, not part of the product.
//
//   make-patch SCENARIO STUB OUTPUT   the scenario's patch: STUB with its container appended
//   make-folder SCENARIO FOLDER       the installation folder the scenario starts from
//   apply PATCH FOLDER                applies PATCH to FOLDER with the core's run driver, as
//                                     `orvpatch apply --folder` does; prints the outcome
//   text CAPTION ID                   the text of control ID of the dialog with that caption
//   rect CAPTION ID                   the control's screen rectangle: left top right bottom
//   count CAPTION                     how many visible top-level windows have that caption
//   dialogs                           how many visible top-level dialogs there are
//
// Paths are Windows paths. Arguments arrive in code page 932 (Wine converts them); texts are
// printed as UTF-8 lines. Exit status 0, or 1 when what was asked for is not there.
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands/error_messages.h"
#include "commands/silent_progress.h"
#include "app/run_patch.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "common/utf8.h"
#include "patch/container_start.h"
#include "patch/container_writer.h"
#include "scenario_patches.h"
#include "window_texts.h"

namespace Orvane::E2e {
namespace {

using Arguments = std::vector<std::string>;

constexpr int kExitSuccess = 0;
constexpr int kExitMissing = 1;
constexpr int kExitUsage = 2;
constexpr char kUsage[] =
    "usage: orvpatch_e2e_helper make-patch SCENARIO STUB OUTPUT | make-folder SCENARIO FOLDER |\n"
    "       apply PATCH FOLDER | text CAPTION ID | rect CAPTION ID | count CAPTION | dialogs\n";
constexpr char kUnknownScenario[] = "unknown scenario: ";

// Prints one line, code page 932 in, UTF-8 out.
int PrintLine(const std::string& ansi) {
    std::printf("%s\n", Common::Utf8FromAnsi(ansi).c_str());
    std::fflush(stdout);
    return kExitSuccess;
}

Scenario RequireScenario(const std::string& name) {
    std::optional<Scenario> scenario = FindScenario(name);
    if (!scenario) throw std::runtime_error(kUnknownScenario + name);
    return *scenario;
}

int Apply(const std::string& patch, const std::string& folder) {
    ContainerStart start = ReadContainerStart(patch);
    if (!start.failureText.empty()) return PrintLine(start.failureText), kExitMissing;
    RunInputs inputs{folder, patch, start.header.scriptOffset, start.header.version};
    CErrorMessages errorMessages;
    RunOutcome outcome = RunPatch(inputs, errorMessages,
                                  [] { return std::make_shared<SilentProgress>(); });
    PrintLine(outcome.message);
    return outcome.completed ? kExitSuccess : kExitMissing;
}

int PrintIfPresent(const std::optional<std::string>& text) {
    return text ? PrintLine(*text) : kExitMissing;
}

int Run(const std::string& command, const Arguments& args) {
    if (command == "make-patch" && args.size() == 3) {
        WritePatchExecutable(args[1], RequireScenario(args[0]).patch(), args[2]);
        return kExitSuccess;
    }
    if (command == "make-folder" && args.size() == 2) {
        RequireScenario(args[0]).seedFolder(Common::WithTrailingBackslash(args[1]));
        return kExitSuccess;
    }
    if (command == "apply" && args.size() == 2) return Apply(args[0], args[1]);
    if (command == "text" && args.size() == 2) {
        return PrintIfPresent(DialogItemText(args[0], std::stoi(args[1], nullptr, 0)));
    }
    if (command == "rect" && args.size() == 2) {
        return PrintIfPresent(DialogItemRect(args[0], std::stoi(args[1], nullptr, 0)));
    }
    if (command == "count" && args.size() == 1) {
        return PrintLine(std::to_string(ShownWindowCount(args[0])));
    }
    if (command == "dialogs" && args.empty()) return PrintLine(std::to_string(ShownDialogCount()));
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

}  // namespace
}  // namespace Orvane::E2e

int main(int argc, char** argv) {
    if (argc < 2) return Orvane::E2e::Run("", {});
    try {
        return Orvane::E2e::Run(argv[1], Orvane::E2e::Arguments(argv + 2, argv + argc));
    } catch (const Orvane::MessageFailure& failure) {
        std::fprintf(stderr, "%s\n", Orvane::Common::Utf8FromAnsi(failure.Text()).c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
    }
    return 1;
}
