#include "author/host_files.h"

#include <algorithm>
#include <fstream>

#include "common/failure.h"
#include "common/utf8.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunk = 1 << 20;
// Seconds between 1601-01-01 (file times) and 1970-01-01, and file-time units per second.
constexpr std::int64_t kFileTimeEpochOffset = 11644473600;
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;

[[noreturn]] void Fail(const char* text, const fs::path& path) {
    throw MessageFailure(std::string(text) + ": " + MessagePath(path));
}

std::ifstream OpenAt(const fs::path& path, std::uint64_t offset) {
    std::ifstream in(path, std::ios::binary);
    if (!in || !in.seekg(static_cast<std::streamoff>(offset))) Fail(kCannotRead, path);
    return in;
}

}  // namespace

std::string MessagePath(const fs::path& path) {
    std::u8string text = path.u8string();
    return Common::AnsiFromUtf8(std::string(text.begin(), text.end()));
}

void ReadPieces(const fs::path& path, std::uint64_t offset, std::uint64_t size,
                const PieceTaker& take) {
    std::ifstream in = OpenAt(path, offset);
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk)));
    while (size > 0) {
        auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk));
        if (!in.read(buffer.data(), static_cast<std::streamsize>(count))) Fail(kCannotRead, path);
        take(reinterpret_cast<const std::uint8_t*>(buffer.data()), count);
        size -= count;
    }
}

Digest DigestOfRange(const fs::path& path, std::uint64_t offset, std::uint64_t size) {
    Os::Sha256 hash;
    ReadPieces(path, offset, size,
               [&hash](const std::uint8_t* bytes, std::size_t count) {
                   hash.Update(bytes, count);
               });
    return FinishDigest(hash);
}

Digest DigestOfFile(const fs::path& path) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(path, error);
    if (error) Fail(kCannotRead, path);
    return DigestOfRange(path, 0, size);
}

Os::FileTime LastWriteTime(const fs::path& path) {
    std::error_code error;
    fs::file_time_type time = fs::last_write_time(path, error);
    if (error) Fail(kCannotRead, path);
    auto system = std::chrono::file_clock::to_sys(time);
    std::int64_t seconds =
        std::chrono::floor<std::chrono::seconds>(system.time_since_epoch()).count();
    // Before 1601 there is no file time; the earliest one is as unstorable for a payload.
    return static_cast<Os::FileTime>(std::max<std::int64_t>(0, seconds + kFileTimeEpochOffset) *
                                     kFileTimeUnitsPerSecond);
}

void CopyTree(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::create_directory(to, error)) Fail(kCannotCopy, to);
    fs::directory_iterator entries(from, error);
    if (error) Fail(kCannotCopy, from);
    for (const fs::directory_entry& entry : entries) {
        fs::path target = to / entry.path().filename();
        if (entry.is_directory() && !entry.is_symlink()) {
            CopyTree(entry.path(), target);
            continue;
        }
        if (!fs::copy_file(entry.path(), target, error)) Fail(kCannotCopy, entry.path());
        fs::file_time_type time = fs::last_write_time(entry.path(), error);
        if (!error) fs::last_write_time(target, time, error);
        if (error) Fail(kCannotCopy, target);
    }
}

}  // namespace Orvane::Author
