// Typed access to the tables of a patch manifest (TOML). Every mistake becomes a ManifestError
// with the line it was found on; keys nobody asked for are reported by RejectUnknownKeys.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include <toml++/toml.h>

#include "patch/container_description.h"

namespace Orvane::Cli {

class ManifestError : public std::runtime_error {
public:
    ManifestError(std::uint32_t line, const std::string& message)
        : std::runtime_error(message), line_(line) {}
    std::uint32_t Line() const { return line_; }

private:
    std::uint32_t line_;
};

// The line a node starts on (1-based).
std::uint32_t LineOf(const toml::node& node);

// A UTF-8 text of the manifest in code page 932; raises when code page 932 cannot hold it or
// it holds a zero character.
std::string AnsiText(const std::string& utf8, std::uint32_t line, const std::string& key);

class ManifestTable {
public:
    // what names the table in messages ("record", "payload", ...).
    ManifestTable(const toml::table& table, std::string what);

    std::uint32_t Line() const { return LineOf(table_); }
    // The line of the key's value, or of the table when the key is absent.
    std::uint32_t KeyLine(const std::string& key) const;

    // Texts as written (UTF-8), for file names on this system.
    std::optional<std::string> OptionalUtf8Text(const std::string& key);
    std::string RequiredUtf8Text(const std::string& key);
    // Texts in code page 932, for the container.
    std::optional<std::string> OptionalText(const std::string& key);
    std::string RequiredText(const std::string& key);
    std::optional<std::int64_t> OptionalInteger(const std::string& key, std::int64_t min,
                                                std::int64_t max);
    std::int64_t RequiredInteger(const std::string& key, std::int64_t min, std::int64_t max);
    // A local date and time such as 2024-03-05T14:30:00.
    std::optional<TimeStamp> OptionalTimeStamp(const std::string& key);
    // An array of tables or values; nullptr when the key is absent.
    const toml::array* OptionalArray(const std::string& key);

    void RejectUnknownKeys() const;

private:
    const toml::node* Take(const std::string& key);
    [[noreturn]] void Missing(const std::string& key) const;

    const toml::table& table_;
    std::string what_;
    std::set<std::string> taken_;
};

}  // namespace Orvane::Cli
