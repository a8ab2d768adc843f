#include "cli/manifest/manifest_table.h"

#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kUnknownKey[] = "unknown key '";
constexpr char kMissingKey[] = "missing key '";
constexpr char kNotText[] = "' must be a text";
constexpr char kNotInteger[] = "' must be an integer from ";
constexpr char kNotArray[] = "' must be an array";
constexpr char kNotLocalDateTime[] =
    "' must be a local date and time without offset, such as 2024-03-05T14:30:00";
constexpr char kNotRepresentable[] = "' holds characters that code page 932 cannot represent";
constexpr char kHoldsZero[] = "' holds a zero character";

}  // namespace

std::uint32_t LineOf(const toml::node& node) { return node.source().begin.line; }

std::string AnsiText(const std::string& utf8, std::uint32_t line, const std::string& key) {
    if (utf8.find('\0') != std::string::npos) throw ManifestError(line, "'" + key + kHoldsZero);
    std::optional<std::string> ansi = Common::ExactAnsiFromUtf8(utf8);
    if (!ansi) throw ManifestError(line, "'" + key + kNotRepresentable);
    return *ansi;
}

ManifestTable::ManifestTable(const toml::table& table, std::string what)
    : table_(table), what_(std::move(what)) {}

std::uint32_t ManifestTable::KeyLine(const std::string& key) const {
    const toml::node* node = table_.get(key);
    return node != nullptr ? LineOf(*node) : Line();
}

const toml::node* ManifestTable::Take(const std::string& key) {
    taken_.insert(key);
    return table_.get(key);
}

void ManifestTable::Missing(const std::string& key) const {
    throw ManifestError(Line(), kMissingKey + key + "' in " + what_);
}

std::optional<std::string> ManifestTable::OptionalUtf8Text(const std::string& key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    const auto* text = node->as_string();
    if (text == nullptr) throw ManifestError(LineOf(*node), "'" + key + kNotText);
    return text->get();
}

std::string ManifestTable::RequiredUtf8Text(const std::string& key) {
    std::optional<std::string> text = OptionalUtf8Text(key);
    if (!text) Missing(key);
    return *text;
}

std::optional<std::string> ManifestTable::OptionalText(const std::string& key) {
    std::optional<std::string> text = OptionalUtf8Text(key);
    if (!text) return std::nullopt;
    return AnsiText(*text, KeyLine(key), key);
}

std::string ManifestTable::RequiredText(const std::string& key) {
    std::optional<std::string> text = OptionalText(key);
    if (!text) Missing(key);
    return *text;
}

std::optional<std::int64_t> ManifestTable::OptionalInteger(const std::string& key,
                                                           std::int64_t min, std::int64_t max) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    const auto* value = node->as_integer();
    if (value == nullptr || value->get() < min || value->get() > max) {
        throw ManifestError(LineOf(*node), "'" + key + kNotInteger + std::to_string(min) +
                                               " to " + std::to_string(max));
    }
    return value->get();
}

std::int64_t ManifestTable::RequiredInteger(const std::string& key, std::int64_t min,
                                            std::int64_t max) {
    std::optional<std::int64_t> value = OptionalInteger(key, min, max);
    if (!value) Missing(key);
    return *value;
}

std::optional<TimeStamp> ManifestTable::OptionalTimeStamp(const std::string& key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    const auto* value = node->as_date_time();
    if (value == nullptr || value->get().offset) {
        throw ManifestError(LineOf(*node), "'" + key + kNotLocalDateTime);
    }
    const toml::date_time& stamp = value->get();
    return TimeStamp{stamp.date.year, stamp.date.month, stamp.date.day,
                     stamp.time.hour, stamp.time.minute, stamp.time.second};
}

const toml::array* ManifestTable::OptionalArray(const std::string& key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return nullptr;
    if (!node->is_array()) throw ManifestError(LineOf(*node), "'" + key + kNotArray);
    return node->as_array();
}

void ManifestTable::RejectUnknownKeys() const {
    for (const auto& [key, node] : table_) {
        if (!taken_.contains(std::string(key.str()))) {
            throw ManifestError(key.source().begin.line,
                                kUnknownKey + std::string(key.str()) + "' in " + what_);
        }
    }
}

}  // namespace Orvane::Cli
