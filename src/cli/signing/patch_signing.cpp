#include "cli/signing/patch_signing.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/signing/signing_tool.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kSigningFailed[] = "signing failed: ";
constexpr char kNoPassword[] = "the environment variable holding the password is not set: ";
constexpr char kSignedSuffix[] = ".signing";
constexpr char kNoInputPath[] =
    "--sign-password-env needs a path to standard input, which this system lacks: use "
    "--sign-password-file";

std::vector<std::string> SignArguments(const SigningOptions& options) {
    std::vector<std::string> arguments = {"sign", "-h", "sha256"};
    if (options.pkcs12) {
        arguments.insert(arguments.end(), {"-pkcs12", *options.pkcs12});
        if (options.passwordFile) arguments.insert(arguments.end(), {"-readpass", *options.passwordFile});
        if (options.passwordVariable) arguments.insert(arguments.end(), {"-readpass", kStandardInputPath});
    } else {
        arguments.insert(arguments.end(), {"-certs", *options.certificate, "-key", *options.key});
    }
    if (options.timestampUrl) arguments.insert(arguments.end(), {"-ts", *options.timestampUrl});
    return arguments;
}

// The environment's password is handed over through a pipe, never on the command line.
std::optional<std::string> PasswordInput(const SigningOptions& options) {
    if (!options.passwordVariable) return std::nullopt;
    if (kStandardInputPath[0] == '\0') throw CommandFailure(kNoInputPath);
    const char* value = std::getenv(options.passwordVariable->c_str());
    if (value == nullptr) throw CommandFailure(kNoPassword + *options.passwordVariable);
    return std::string(value);
}

}  // namespace

void SignPatchExecutable(const std::string& path, const SigningOptions& options) {
    std::string signedPath = path + kSignedSuffix;
    std::vector<std::string> arguments = SignArguments(options);
    arguments.insert(arguments.end(), {"-in", path, "-out", signedPath});
    std::error_code ignored;
    fs::remove(Common::PathFromUtf8(signedPath), ignored);
    // Without a signature the patch is removed: an unsigned file must not pass for the signed.
    auto failWith = [&](const std::string& text) {
        fs::remove(Common::PathFromUtf8(signedPath), ignored);
        fs::remove(Common::PathFromUtf8(path), ignored);
        return CommandFailure(text);
    };
    std::optional<std::string> password;
    try {
        password = PasswordInput(options);
    } catch (const CommandFailure& failure) {
        throw failWith(failure.what());
    }
    ToolRun run = RunSigningTool(arguments, password);
    if (!run.started) throw failWith(kSigningToolMissing);
    if (run.exitCode != 0) throw failWith(kSigningFailed + run.output);
    fs::rename(Common::PathFromUtf8(signedPath), Common::PathFromUtf8(path));
}

}  // namespace Orvane::Cli
