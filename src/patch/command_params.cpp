#include "patch/command_params.h"

namespace Orvane {

std::string CopyParams::GetName() const { return file ? file->name : std::string(); }

std::string CopyParams::GetFullPath() const { return GetFolder() + GetName(); }

std::string CopyParams::GetFolder() const { return baseFolder + relativePath; }

std::string DeleteParams::GetName() const { return relativePath; }

std::string DeleteParams::GetFullPath() const { return baseFolder + relativePath; }

std::string ArchiverParams::GetName() const { return relativePath; }

std::string ArchiverParams::GetFullPath() const { return baseFolder + relativePath; }

}  // namespace Orvane
