#include "fuzz/input_folder.h"

#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#define ORVPATCH_PROCESS_ID _getpid
#else
#include <unistd.h>
#define ORVPATCH_PROCESS_ID getpid
#endif

namespace Orvane::Fuzz {
namespace {

namespace fs = std::filesystem;

constexpr char kFolderPrefix[] = "orvfuzz-";
constexpr char kCannotWrite[] = "cannot write the fuzz input ";

class OwnFolder {
public:
    OwnFolder()
        : path_(fs::temp_directory_path() /
                (kFolderPrefix + std::to_string(ORVPATCH_PROCESS_ID()))) {
        fs::create_directories(path_);
    }
    ~OwnFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

const fs::path& InputFolder() {
    static const OwnFolder folder;
    return folder.Path();
}

fs::path WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    fs::path path = InputFolder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) throw std::runtime_error(kCannotWrite + path.string());
    return path;
}

std::string CorePath(const fs::path& path) { return path.string(); }

}  // namespace Orvane::Fuzz
