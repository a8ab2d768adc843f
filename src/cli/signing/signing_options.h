// The options of `orvpatch build` and `orvpatch diff` that sign the patch executable they write
// (see docs/signing.md):
//
//   --sign-cert FILE --sign-key FILE          a certificate (PEM or DER) and its private key
//   --sign-pkcs12 FILE                        or both in one PKCS#12 file,
//     [--sign-password-file FILE | --sign-password-env VAR]   with its password
//   [--timestamp-url URL]                     an RFC 3161 time-stamp server
#pragma once

#include <optional>
#include <string>

#include "cli/option_reader.h"

namespace Orvane::Cli {

struct SigningOptions {
    std::optional<std::string> certificate;  // UTF-8 paths
    std::optional<std::string> key;
    std::optional<std::string> pkcs12;
    std::optional<std::string> passwordFile;
    std::optional<std::string> passwordVariable;
    std::optional<std::string> timestampUrl;

    bool Wanted() const { return certificate || key || pkcs12; }
};

// The table of a command that signs: its own options followed by the signing options.
OptionTable WithSigningOptions(OptionTable table);

// The signing options read; raises UsageError unless they name one complete way to sign, or
// none.
SigningOptions ReadSigningOptions(const ReadOptions& read);

// Raises UsageError unless the options name one complete way to sign, or none.
void RequireCompleteSigning(const SigningOptions& options);

}  // namespace Orvane::Cli
