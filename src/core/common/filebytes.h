#pragma once
// Whole files as bytes: read, written in place, or replaced through a
// temporary file.
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace zm {

// The file's bytes; nullopt when it cannot be read or is larger than `limit`.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         uintmax_t limit = std::numeric_limits<uintmax_t>::max());

// `bytes` as the whole content of the file, written in place.
bool WriteFileBytes(const std::filesystem::path& path, const std::string& bytes,
                    std::string* error = nullptr);

// `bytes` go to a temporary file beside the target, which then replaces it,
// so a failure leaves the old file as it was; the target's permissions are
// kept. A symbolic link is followed, a read-only file is not replaced, a file
// with hard links is written in place, a missing folder is made when its
// parent exists. On failure returns false and describes it in `error`; on
// success `written`, when given, gets the bytes.
bool ReplaceFileBytes(const std::filesystem::path& given, std::string bytes,
                      std::string* error = nullptr, std::string* written = nullptr);

}  // namespace zm
