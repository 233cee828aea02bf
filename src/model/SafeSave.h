#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace norumi {

// The steps of replacing a file. A test hands in a fault that makes one of them fail, to show
// that every failure leaves the old file as it was.
enum class SaveStep { CreateTemporary, Write, Close, Replace };
using SaveFault = std::function<bool(SaveStep)>;

// Writes `bytes` completely to a temporary file beside `target`, then puts it in the place of
// `target`. On any failure the temporary file is removed, `target` stays untouched, and
// EFCreateError naming `target` is thrown.
void SaveFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                       const SaveFault& fault = {});

// Reads a whole file. Throws EFOpenError when it exists but cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace norumi
