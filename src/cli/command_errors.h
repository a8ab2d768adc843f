// The two ways a command fails, and the exit codes main maps them to.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace Orvane::Cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;  // UTF-8, without the program and command names

// Raised for a mistake in a command's arguments; main prints it with the usage line and exits
// with kExitUsage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by a command that cannot do its work (an archive that cannot be read, a file that
// cannot be written); main prints it and exits with kExitFailure.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace Orvane::Cli
