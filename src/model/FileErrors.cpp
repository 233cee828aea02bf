#include "model/FileErrors.h"

namespace norumi {

EFOpenError::EFOpenError(const std::filesystem::path& path)
    : EFileError("cannot open file " + path.string(), path) {}

EFCreateError::EFCreateError(const std::filesystem::path& path)
    : EFileError("cannot create file " + path.string(), path) {}

EFDamagedError::EFDamagedError(const std::filesystem::path& path)
    : EFileError("damaged word file " + path.string(), path) {}

EFLockError::EFLockError(const std::filesystem::path& path)
    : EFileError("word file in use " + path.string(), path) {}

}  // namespace norumi
