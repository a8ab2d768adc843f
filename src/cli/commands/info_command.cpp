// orvpatch info PATCH [--json]
//
// Shows the patch container of a patch executable. A damaged container shows what could be
// read, then the patch program's own text for the problem (stderr), and exits with 1. A
// payload that the program cannot load is marked in the listing; it fails the reading only
// where a copy record names it, as it fails the program's run there.
//
// It also shows whether the patch is signed, by whom, and whether the signed digest still
// matches the file (a patch changed after signing exits with 1, as the patch program refuses
// it), and warns about bytes after the container that are neither signature nor padding.
#include <cstdio>

#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/views/info_json.h"
#include "cli/views/info_text.h"
#include "cli/path_argument.h"
#include "cli/signing/signature_check.h"
#include "common/file_stream.h"
#include "patch/container_reader.h"

namespace Orvane::Cli {
namespace {

constexpr char kJsonOption[] = "--json";
constexpr char kOnePatch[] = "give exactly one patch executable";
constexpr char kCannotOpen[] = "cannot open ";
constexpr char kUnsigned[] = "signature: none";
constexpr char kSignedBy[] = "signature: signed by ";
constexpr char kSignedByUnnamed[] = "signature: signed (signer not named)";
constexpr char kDigestMatches[] = ", the signed digest matches the file";
constexpr char kDigestDiffers[] =
    ", the signed digest does NOT match the file: it was changed after signing";
constexpr char kNotChecked[] = ", not checked: ";
constexpr char kTrailingWarningFormat[] =
    "orvpatch info: warning: %llu bytes after the patch container are neither its signature "
    "nor padding";

bool CanOpen(const std::string& ansiPath) {
    Common::FileStream stream(ansiPath, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    return stream.CanRead();
}

std::string SignatureLine(const SignatureInfo& signature) {
    if (!signature.isSigned) return kUnsigned;
    std::string line = signature.subject.empty() ? kSignedByUnnamed : kSignedBy + signature.subject;
    if (!signature.digestMatches) return line + kNotChecked + signature.problem;
    return line + (*signature.digestMatches ? kDigestMatches : kDigestDiffers);
}

void WarnAboutTrailingBytes(const SignatureInfo& signature) {
    if (signature.trailing.unexplained == 0) return;
    char text[160];
    std::snprintf(text, sizeof text, kTrailingWarningFormat,
                  static_cast<unsigned long long>(signature.trailing.unexplained));
    PrintLine(stderr, text);
}

bool Tampered(const SignatureInfo& signature) {
    return signature.digestMatches.has_value() && !*signature.digestMatches;
}

}  // namespace

int RunInfo(const ReadOptions& options) {
    if (options.operands.size() != 1) throw UsageError(kOnePatch);
    const std::string& utf8Patch = options.operands.front();
    std::string patch = AnsiPathArgument(utf8Patch);
    // The patch program would report an unreadable file as a wrong file size; say what it is.
    if (!CanOpen(patch)) throw CommandFailure(kCannotOpen + utf8Patch);
    ContainerReading reading = ReadContainer(patch, PayloadData::Drop);
    SignatureInfo signature = CheckSignature(utf8Patch, patch, reading.containerEnd);
    if (options.Has(kJsonOption)) {
        PrintLine(stdout, ContainerJson(reading, signature));
    } else {
        PrintContainerText(stdout, reading);
        PrintLine(stdout, SignatureLine(signature));
    }
    WarnAboutTrailingBytes(signature);
    if (reading.failureText.empty()) return Tampered(signature) ? kExitFailure : kExitSuccess;
    PrintAnsiLine(stderr, reading.failureText);
    return kExitFailure;
}

const Command& InfoCommand() {
    static const Command command{
        "info", "show the patch container of a patch executable", "PATCH",
        {{kJsonOption, nullptr, nullptr, false, false, "print the container as JSON"}},
        &RunInfo};
    return command;
}

}  // namespace Orvane::Cli
