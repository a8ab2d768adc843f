#include "cli/signing/signature_check.h"

#include <vector>

#include "cli/signing/signing_tool.h"
#include "common/file_stream.h"
#include "patch/authenticode.h"

namespace Orvane::Cli {
namespace {

constexpr char kCurrentDigest[] = "Current message digest";
constexpr char kCalculatedDigest[] = "Calculated message digest";
constexpr char kSubject[] = "Subject";
constexpr char kNoSigningTool[] = "osslsigncode is not installed";
constexpr char kNoSigner[] = "osslsigncode is not installed: the signer is not named";
constexpr char kNotDecoded[] = "osslsigncode could not read the signature";

// The text after the first line's "NAME ... :" , trimmed; empty when there is no such line.
std::string ValueAfter(const std::string& output, const std::string& name, char separator) {
    std::size_t at = output.find(name);
    if (at == std::string::npos) return "";
    std::size_t colon = output.find(separator, at + name.size());
    std::size_t end = output.find('\n', at);
    if (colon == std::string::npos || colon > end) return "";
    std::string value = output.substr(colon + 1, end - colon - 1);
    std::size_t first = value.find_first_not_of(" \t");
    std::size_t last = value.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : value.substr(first, last - first + 1);
}

bool ZeroBytes(Common::StreamBase& stream, std::uint64_t from, std::uint64_t to) {
    if (to <= from || to - from > 8) return to == from;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(to - from));
    std::uint32_t read = 0;
    if (!stream.Seek(static_cast<std::int64_t>(from), Common::kFromBeginning) ||
        !stream.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &read) ||
        read != bytes.size()) {
        return false;
    }
    for (std::uint8_t byte : bytes) {
        if (byte != 0) return false;
    }
    return true;
}

// Without the tool the signed SHA-256 digest is still compared, by the core's own reading of
// the signature; only the signer's name is then unknown.
void CheckWithoutSigningTool(const std::string& ansiPath, const CertificateTable& table,
                             SignatureInfo& info) {
    Common::FileStream stream(ansiPath, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    info.digestMatches = SignedSha256Matches(stream, table);
    info.problem = info.digestMatches ? kNoSigner : kNoSigningTool;
}

void CheckWithSigningTool(const std::string& utf8Path, const std::string& ansiPath,
                          const CertificateTable& table, SignatureInfo& info) {
    ToolRun run = RunSigningTool({"verify", "-in", utf8Path});
    if (!run.started) return CheckWithoutSigningTool(ansiPath, table, info);
    info.digestMatches = DigestsMatch(run.output);
    info.subject = SignerSubject(run.output);
    if (!info.digestMatches) info.problem = kNotDecoded;
}

}  // namespace

std::optional<bool> DigestsMatch(const std::string& verifyOutput) {
    std::string current = ValueAfter(verifyOutput, kCurrentDigest, ':');
    std::string calculated = ValueAfter(verifyOutput, kCalculatedDigest, ':');
    if (current.empty() || calculated.empty()) return std::nullopt;
    return current == calculated;
}

std::string SignerSubject(const std::string& verifyOutput) {
    return ValueAfter(verifyOutput, kSubject, ':');
}

SignatureInfo CheckSignature(const std::string& utf8Path, const std::string& ansiPath,
                             std::uint64_t containerEnd) {
    SignatureInfo info;
    Common::FileStream stream(ansiPath, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    std::optional<CertificateTable> table = LocateCertificateTable(stream);
    auto fileSize = static_cast<std::uint64_t>(stream.GetLength());
    if (containerEnd != 0) {
        bool zeroPadding = table && ZeroBytes(stream, containerEnd, table->offset);
        info.trailing = ClassifyTrailingBytes(containerEnd, fileSize, table, zeroPadding);
    }
    stream.Close();
    info.isSigned = table.has_value();
    if (info.isSigned) CheckWithSigningTool(utf8Path, ansiPath, *table, info);
    return info;
}

}  // namespace Orvane::Cli
