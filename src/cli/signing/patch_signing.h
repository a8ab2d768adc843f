// Signs a written patch executable with osslsigncode. The container is already appended, so
// the signature covers it; the signature itself (the image's attribute certificate table) is
// appended behind the container, where the patch program does not look for patch data.
#pragma once

#include <string>

#include "cli/signing/signing_options.h"

namespace Orvane::Cli {

// path: the patch (UTF-8). The signed file replaces it only once signing succeeded. Raises
// CommandFailure with osslsigncode's own words when signing fails, and then removes the
// unsigned patch.
void SignPatchExecutable(const std::string& path, const SigningOptions& options);

}  // namespace Orvane::Cli
