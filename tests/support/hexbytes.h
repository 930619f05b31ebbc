#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// "00 41 ff" -> {0x00, 0x41, 0xff}; blanks are ignored.
[[nodiscard]] std::vector<std::uint8_t> hexBytes(std::string_view hex);
// {0x00, 0x41} -> "00 41"
[[nodiscard]] std::string toHex(const std::vector<std::uint8_t> &bytes);
