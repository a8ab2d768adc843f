#include "cli/signing/signing_options.h"

#include <array>
#include <utility>

namespace Orvane::Cli {
namespace {

constexpr char kNeedsValue[] = " needs a value";
constexpr char kGivenTwice[] = " is given twice";
constexpr char kCertificateAndKey[] = "--sign-cert and --sign-key go together";
constexpr char kOneWay[] = "sign with --sign-cert and --sign-key, or with --sign-pkcs12";
constexpr char kPasswordForPkcs12[] =
    "--sign-password-file and --sign-password-env are for --sign-pkcs12, one of them";
constexpr char kNothingToSign[] = "--timestamp-url needs a certificate to sign with";

using Field = std::optional<std::string> SigningOptions::*;

constexpr std::array<std::pair<const char*, Field>, 6> kOptions{{
    {"--sign-cert", &SigningOptions::certificate},
    {"--sign-key", &SigningOptions::key},
    {"--sign-pkcs12", &SigningOptions::pkcs12},
    {"--sign-password-file", &SigningOptions::passwordFile},
    {"--sign-password-env", &SigningOptions::passwordVariable},
    {"--timestamp-url", &SigningOptions::timestampUrl},
}};

}  // namespace

bool TakeSigningOption(const Arguments& arguments, std::size_t& i, SigningOptions& options) {
    const std::string& argument = arguments[i];
    std::string name = argument.substr(0, argument.find('='));
    for (const auto& [option, field] : kOptions) {
        if (name != option) continue;
        std::optional<std::string>& value = options.*field;
        if (value) throw UsageError(name + kGivenTwice);
        if (name != argument) {
            value = argument.substr(name.size() + 1);
        } else {
            if (++i == arguments.size()) throw UsageError(name + kNeedsValue);
            value = arguments[i];
        }
        return true;
    }
    return false;
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
