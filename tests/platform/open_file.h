// An OpenFile handle for tests, closed when the test leaves its scope.
#pragma once

#include <string>

#include "platform/os.h"

namespace Orvane::Test {

class OpenedFile {
public:
    OpenedFile(const std::string& path, Os::CreateMode mode, bool read, bool write,
               std::uint32_t flags = Os::kAttributeNormal) {
        Os::OpenRequest request;
        request.mode = mode;
        request.read = read;
        request.write = write;
        // Shared, so that a test may look at the file while it is open, as Windows allows.
        request.shareMode = 1 | 2 | 4;
        request.flagsAndAttributes = flags;
        handle_ = Os::OpenFile(path, request);
    }
    ~OpenedFile() { Close(); }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    bool IsOpen() const { return handle_ != Os::kInvalidFile; }
    Os::FileHandle Handle() const { return handle_; }
    void Close() {
        if (IsOpen()) Os::CloseFile(handle_);
        handle_ = Os::kInvalidFile;
    }

private:
    Os::FileHandle handle_ = Os::kInvalidFile;
};

}  // namespace Orvane::Test
