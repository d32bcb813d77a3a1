// SHA-256 of a byte string, as lower-case hexadecimal.
#pragma once

#include <string>
#include <string_view>

namespace hashing {
std::string Sha256Hex(std::string_view data);
}
