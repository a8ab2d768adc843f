// The options of `orvpatch build` and `orvpatch diff` that sign the patch executable they write
// (see docs/signing.md):
//
//   --sign-cert FILE --sign-key FILE          a certificate (PEM or DER) and its private key
//   --sign-pkcs12 FILE                        or both in one PKCS#12 file,
//     [--sign-password-file FILE | --sign-password-env VAR]   with its password
//   [--timestamp-url URL]                     an RFC 3161 time-stamp server
//
// Each also takes its value as --option=VALUE.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "cli/command.h"

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

// The signing option at arguments[i], with its value (which may be the next argument); false
// when arguments[i] is no signing option. Raises UsageError for a missing value or an option
// given twice.
bool TakeSigningOption(const Arguments& arguments, std::size_t& i, SigningOptions& options);

// Raises UsageError unless the options name one complete way to sign, or none.
void RequireCompleteSigning(const SigningOptions& options);

// The options as usage text.
inline constexpr char kSigningUsage[] =
    "[--sign-cert FILE --sign-key FILE | --sign-pkcs12 FILE [--sign-password-file FILE | "
    "--sign-password-env VAR]] [--timestamp-url URL]";

}  // namespace Orvane::Cli
