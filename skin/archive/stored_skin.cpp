#include "skin/archive/stored_skin.h"

#include <algorithm>
#include <cstring>

#include "skin/archive/lzh.h"

namespace skin {

uint32_t ReadLE32(const char* p) {
  const auto* b = reinterpret_cast<const uint8_t*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

void AppendLE32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint64_t MaxUnpackedSize(uint64_t compressedBytes) { return compressedBytes * 48 + 60; }

namespace {

lzh::ReadBlock ReaderOver(std::string_view data, size_t& pos) {
  return [data, &pos](uint8_t* buffer, size_t wanted) {
    size_t n = std::min(wanted, data.size() - pos);
    std::memcpy(buffer, data.data() + pos, n);
    pos += n;
    return n;
  };
}

lzh::WriteBlock AppenderTo(std::string& out) {
  return [&out](const uint8_t* data, size_t count) { out.append(reinterpret_cast<const char*>(data), count); };
}

}  // namespace

std::string PackStoredSkin(std::string_view archive) {
  std::string out;
  AppendLE32(out, static_cast<uint32_t>(archive.size()));
  size_t pos = 0;
  lzh::TLZH().Encode(ReaderOver(archive, pos), AppenderTo(out));
  return out;
}

bool UnpackStoredSkin(std::string_view stored, std::string& archive, std::string& error) {
  archive.clear();
  if (stored.size() < 4) return true;
  int32_t length = static_cast<int32_t>(ReadLE32(stored.data()));
  std::string_view stream = stored.substr(4);
  if (length < 0) {
    error = "negative unpacked length";
    return false;
  }
  if (static_cast<uint64_t>(length) > MaxUnpackedSize(stream.size())) {
    error = "unpacked length " + std::to_string(length) + " is more than " +
            std::to_string(stream.size()) + " bytes of data can hold";
    return false;
  }
  archive.reserve(static_cast<size_t>(length));
  size_t pos = 0;
  if (lzh::TLZH().Decode(ReaderOver(stream, pos), AppenderTo(archive), static_cast<uint32_t>(length)) !=
      lzh::DecodeResult::kOk) {
    archive.clear();
    error = "compressed data ends early";
    return false;
  }
  return true;
}

}  // namespace skin
