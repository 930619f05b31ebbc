#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    [[nodiscard]] const std::string &path() const { return m_path; }
    [[nodiscard]] std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }
    // Names of the entries in the folder, sorted.
    [[nodiscard]] std::vector<std::string> entries() const { return entriesOf(m_path); }
    [[nodiscard]] static std::vector<std::string> entriesOf(const std::string &folder);

private:
    std::string m_path;
};

void writeBytes(const std::string &path, const std::vector<std::uint8_t> &bytes);
void writeText(const std::string &path, std::string_view text);
[[nodiscard]] std::vector<std::uint8_t> readBytes(const std::string &path);
[[nodiscard]] std::string readText(const std::string &path);
