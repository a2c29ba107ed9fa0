#pragma once
// A temporary folder for a test, and whole-file reads and writes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace varel::test {

/// A temporary folder, removed with everything in it at the end of its scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    /// False when the folder could not be made.
    bool ok() const { return !m_path.empty(); }
    /// The folder.
    const std::filesystem::path& path() const { return m_path; }
    /// The path of name inside the folder.
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    /// How many entries the folder holds.
    std::size_t entries() const;

private:
    std::filesystem::path m_path;
};

/// The bytes of a file (empty when it cannot be read).
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
/// Writes bytes to a file, replacing it; false on failure.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
/// The same for text.
std::string ReadFileText(const std::string& path);
bool WriteFileText(const std::string& path, const std::string& text);

}  // namespace varel::test
