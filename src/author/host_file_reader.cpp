#include "author/host_file_reader.h"

namespace Orvane::Author {

HostFileReader::HostFileReader(const std::filesystem::path& path) : file_(path, std::ios::binary) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        file_.close();
        return;
    }
    length_ = static_cast<std::int64_t>(size);
}

std::int64_t HostFileReader::GetPosition() const {
    if (!file_.is_open()) return -1;
    file_.clear();
    return static_cast<std::int64_t>(file_.tellg());
}

bool HostFileReader::Seek(std::int64_t offset, int origin) {
    if (!file_.is_open()) return false;
    std::int64_t base = origin == 0 ? 0 : origin == 1 ? GetPosition() : length_;
    if (base < 0 || base + offset < 0) return false;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(base + offset));
    return static_cast<bool>(file_);
}

bool HostFileReader::Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    if (!file_.is_open()) return false;
    file_.clear();
    file_.read(static_cast<char*>(buffer), count);
    auto got = static_cast<std::uint32_t>(file_.gcount());
    file_.clear();
    if (bytesRead != nullptr) *bytesRead = got;
    return bytesRead != nullptr || got == count;
}

}  // namespace Orvane::Author
