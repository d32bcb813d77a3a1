// The stored skin: an int32 little-endian length of the archive, then the
// archive compressed with TLZH.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

// Compresses an archive into a stored skin.
std::string PackStoredSkin(std::string_view archive);

// Decompresses a stored skin. A block shorter than its 4-byte header counts
// as length 0 (an empty archive). False, with `error` set, when the length
// is negative, larger than the data could possibly expand to, or the stream
// ends early; `archive` is then empty. ElzhException passes through.
bool UnpackStoredSkin(std::string_view stored, std::string& archive, std::string& error);

// The most bytes `compressedBytes` of stream can decode to: every symbol
// takes at least one bit, and a match of at most 60 bytes at least ten.
uint64_t MaxUnpackedSize(uint64_t compressedBytes);

uint32_t ReadLE32(const char* p);
void AppendLE32(std::string& out, uint32_t v);

}  // namespace skin
