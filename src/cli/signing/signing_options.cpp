#include "cli/signing/signing_options.h"

#include <array>

namespace Orvane::Cli {
namespace {

constexpr char kCertificateAndKey[] = "--sign-cert and --sign-key go together";
constexpr char kOneWay[] = "sign with --sign-cert and --sign-key, or with --sign-pkcs12";
constexpr char kPasswordForPkcs12[] =
    "--sign-password-file and --sign-password-env are for --sign-pkcs12, one of them";
constexpr char kNothingToSign[] = "--timestamp-url needs a certificate to sign with";

using Field = std::optional<std::string> SigningOptions::*;

struct SigningOption {
    OptionDeclaration declaration;
    Field field;
};

const std::array<SigningOption, 6> kOptions{{
    {{"--sign-cert", nullptr, "FILE", false, false, "sign with this certificate (PEM or DER)"},
     &SigningOptions::certificate},
    {{"--sign-key", nullptr, "FILE", false, false, "the private key of --sign-cert"},
     &SigningOptions::key},
    {{"--sign-pkcs12", nullptr, "FILE", false, false,
      "sign with the certificate and key of this PKCS#12 file"},
     &SigningOptions::pkcs12},
    {{"--sign-password-file", nullptr, "FILE", false, false,
      "the password of --sign-pkcs12, read from this file"},
     &SigningOptions::passwordFile},
    {{"--sign-password-env", nullptr, "VAR", false, false,
      "the password of --sign-pkcs12, read from this environment variable"},
     &SigningOptions::passwordVariable},
    {{"--timestamp-url", nullptr, "URL", false, false, "an RFC 3161 time-stamp server"},
     &SigningOptions::timestampUrl},
}};

}  // namespace

OptionTable WithSigningOptions(OptionTable table) {
    for (const SigningOption& option : kOptions) table.push_back(option.declaration);
    return table;
}

SigningOptions ReadSigningOptions(const ReadOptions& read) {
    SigningOptions options;
    for (const SigningOption& option : kOptions) {
        const char* name = option.declaration.name;
        if (read.Has(name)) options.*option.field = read.Value(name);
    }
    RequireCompleteSigning(options);
    return options;
}

void RequireCompleteSigning(const SigningOptions& options) {
    if (!options.Wanted()) {
        if (options.timestampUrl || options.passwordFile || options.passwordVariable) {
            throw UsageError(options.timestampUrl ? kNothingToSign : kPasswordForPkcs12);
        }
        return;
    }
    if (options.pkcs12 && (options.certificate || options.key)) throw UsageError(kOneWay);
    if (!options.pkcs12 && (!options.certificate || !options.key)) {
        throw UsageError(kCertificateAndKey);
    }
    if ((options.passwordFile && options.passwordVariable) ||
        (!options.pkcs12 && (options.passwordFile || options.passwordVariable))) {
        throw UsageError(kPasswordForPkcs12);
    }
}

}  // namespace Orvane::Cli
