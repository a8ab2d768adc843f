// Whether a patch executable is signed, by whom, and whether the signature still covers the
// file's bytes; and what else follows the patch container. `orvpatch info` shows it.
//
// The signature is decoded and its digest recomputed by osslsigncode (`verify`), the same tool
// that signs; a certificate that no authority vouches for (a test certificate) still has its
// digest compared. Where the tool is missing (mostly on Windows), the core compares a signed
// SHA-256 digest itself (patch/authenticode.h), and the signer stays unnamed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "patch/image_signature.h"

namespace Orvane::Cli {

struct SignatureInfo {
    bool isSigned = false;
    // The signer's certificate subject, UTF-8; osslsigncode names it only for an intact file.
    std::string subject;
    std::optional<bool> digestMatches;  // nothing when the signature could not be checked
    std::string problem;                // why it could not be checked
    TrailingBytes trailing;             // behind the container
};

// utf8Path for osslsigncode, ansiPath for the project's own streams; containerEnd 0 when the
// container could not be read (then no trailing bytes are judged).
SignatureInfo CheckSignature(const std::string& utf8Path, const std::string& ansiPath,
                             std::uint64_t containerEnd);

// The digests osslsigncode's `verify` printed: whether they are equal, and the first signer's
// subject. Nothing when the output holds no digests.
std::optional<bool> DigestsMatch(const std::string& verifyOutput);
std::string SignerSubject(const std::string& verifyOutput);

}  // namespace Orvane::Cli
