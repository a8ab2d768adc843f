// A read-only StreamBase over a file of a release folder, opened by its path on this system.
// Release folders are read where the author keeps them, so their paths are not held to the
// patch program's path rules (code page 932, 260 bytes).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "common/read_only_stream.h"

namespace Orvane::Author {

class HostFileReader : public Common::ReadOnlyStream {
public:
    explicit HostFileReader(const std::filesystem::path& path);

    bool CanRead() const override { return file_.is_open(); }
    bool IsOpen() const override { return file_.is_open(); }
    std::int64_t GetLength() const override { return length_; }
    std::int64_t GetPosition() const override;
    void Close() override { file_.close(); }
    bool Seek(std::int64_t offset, int origin) override;
    bool Read(void* buffer, std::uint32_t count, std::uint32_t* bytesRead = nullptr) override;

private:
    mutable std::ifstream file_;
    std::int64_t length_ = 0;
};

}  // namespace Orvane::Author
