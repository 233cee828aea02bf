// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FileErrors.h"

#include <cerrno>

namespace norumi {

FileCause CauseOfErrno(int error) {
  switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
      return FileCause::FolderReadOnly;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return FileCause::DiskFull;
    case ENAMETOOLONG:
      return FileCause::NameTooLong;
#ifdef ELOOP
    case ELOOP:
#endif
    case EISDIR:
    case ENXIO:
      return FileCause::NotAFile;
    default:
      return FileCause::Unknown;
  }
}

EFOpenError::EFOpenError(const std::filesystem::path& path, FileCause cause)
    : EFileError("cannot open file " + path.string(), path, cause) {}

EFCreateError::EFCreateError(const std::filesystem::path& path, FileCause cause)
    : EFileError("cannot create file " + path.string(), path, cause) {}

EFDamagedError::EFDamagedError(const std::filesystem::path& path)
    : EFileError("damaged word file " + path.string(), path) {}

EFLockError::EFLockError(const std::filesystem::path& path, LockHolder holder)
    : EFileError("word file in use " + path.string(), path), holder_(std::move(holder)) {}

EFLockFileError::EFLockFileError(const std::filesystem::path& lockFile, FileCause cause)
    : EFCreateError(lockFile, cause) {}

}  // namespace norumi
