// LZSS with adaptive Huffman coding (Okumura and Yoshizaki's published
// algorithm), the compression of stored skins. The stream is bit-compatible
// with the classic encoder: ring of 4096 bytes, look-ahead 60, threshold 2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace lzh {

inline constexpr const char* kNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kFreeErrorMessage = "LZH : Error freeing memory for dictionary tables";

class ElzhException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads up to `wanted` bytes into `buffer`; fewer (or 0) at the end of input.
using ReadBlock = std::function<size_t(uint8_t* buffer, size_t wanted)>;
using WriteBlock = std::function<void(const uint8_t* data, size_t count)>;

enum class DecodeResult {
  kOk,
  // The stream ended before `length` bytes were decoded: the decoder would
  // have had to use padding bits past the end of the input.
  kTruncated,
};

class TLZH {
 public:
  // Decodes until exactly `length` bytes have been written. Past the end of
  // the input zero bytes are supplied for read-ahead only; a symbol that
  // needs them means the stream is truncated. The tables are allocated per
  // call; when that fails ElzhException(kNoMemoryMessage) is thrown.
  DecodeResult Decode(const ReadBlock& read, const WriteBlock& write, uint32_t length);

  // Encodes everything `read` yields (the length header is the caller's).
  void Encode(const ReadBlock& read, const WriteBlock& write);
};

}  // namespace lzh
