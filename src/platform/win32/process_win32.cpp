// The program's own module on Windows: its file path and its version-information block.
#include <new>

#include "platform/os.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {
namespace {

constexpr DWORD kPathBufferSize = MAX_PATH;
// Sub-blocks of a version-information block: the fixed record and the translation table.
constexpr char kRootBlock[] = "\\";
constexpr char kTranslationBlock[] = "\\VarFileInfo\\Translation";

// The offset of the fixed version record in block, if the block has one inside its bounds.
std::optional<std::size_t> FixedInfoOffset(std::vector<std::uint8_t>& block) {
    void* record = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), kRootBlock, &record, &length) || record == nullptr) {
        return std::nullopt;
    }
    auto offset = static_cast<std::uint8_t*>(record) - block.data();
    if (offset < 0 || static_cast<std::size_t>(offset) + sizeof(VS_FIXEDFILEINFO) > block.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(offset);
}

bool HasTranslationTable(std::vector<std::uint8_t>& block) {
    void* table = nullptr;
    UINT length = 0;
    return ::VerQueryValueA(block.data(), kTranslationBlock, &table, &length) != FALSE;
}

bool ReadVersionBlock(const std::string& path, std::vector<std::uint8_t>* block) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return false;
    block->assign(size, 0);
    return ::GetFileVersionInfoA(path.c_str(), 0, size, block->data()) != FALSE;
}

// Every step must succeed, the translation table included, for the block to count.
bool LoadVersionBlock(ModuleHandle module, std::vector<std::uint8_t>* block,
                      std::size_t* fixedInfoOffset) {
    std::optional<std::string> path = GetModuleFileName(module);
    if (!path || !ReadVersionBlock(*path, block)) return false;
    std::optional<std::size_t> offset = FixedInfoOffset(*block);
    if (!offset || !HasTranslationTable(*block)) return false;
    *fixedInfoOffset = *offset;
    return true;
}

}  // namespace

std::optional<std::string> GetModuleFileName(ModuleHandle module) {
    char buffer[kPathBufferSize];
    DWORD length = ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer, kPathBufferSize);
    // Exactly the buffer's size means the path was cut short.
    if (length == 0 || length >= kPathBufferSize) return std::nullopt;
    return std::string(buffer, length);
}

bool LoadVersionInfo(ModuleHandle module, std::vector<std::uint8_t>* block,
                     std::size_t* fixedInfoOffset) {
    try {
        if (LoadVersionBlock(module, block, fixedInfoOffset)) return true;
    } catch (const std::bad_alloc&) {
        // Memory ran out while reading the block: the module counts as having none.
    }
    block->clear();
    return false;
}

void SleepMilliseconds(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace Orvane::Os
