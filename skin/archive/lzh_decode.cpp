#include <memory>
#include <new>

#include "skin/archive/lzh.h"
#include "skin/archive/lzh_tables.h"

namespace lzh {
namespace {

// Position prefix tables, the inverse of kPositionCode/kPositionLength:
// every 8-bit value starting with a code maps to that code's upper bits.
struct PositionDecodeTable {
  uint8_t upper[256];
  uint8_t length[256];
  PositionDecodeTable() {
    for (int i = 0; i < 64; ++i) {
      int first = kPositionCode[i];
      int count = 1 << (8 - kPositionLength[i]);
      for (int v = first; v < first + count; ++v) {
        upper[v] = static_cast<uint8_t>(i);
        length[v] = kPositionLength[i];
      }
    }
  }
};

const PositionDecodeTable& PositionTable() {
  static const PositionDecodeTable table;
  return table;
}

// Most-significant-bit-first reader through a 16-bit buffer refilled one byte
// at a time while it holds fewer than 9 bits.
class BitReader {
 public:
  explicit BitReader(const ReadBlock& read) : read_(read) {}

  int Bit() {
    Fill();
    int bit = (buffer_ >> 15) & 1;
    buffer_ = static_cast<uint16_t>(buffer_ << 1);
    --held_;
    ++consumedBits_;
    return bit;
  }

  int Byte() {
    Fill();
    int byte = buffer_ >> 8;
    buffer_ = static_cast<uint16_t>(buffer_ << 8);
    held_ -= 8;
    consumedBits_ += 8;
    return byte;
  }

  // True once a consumed bit lay past the real end of the input.
  bool Overrun() const { return consumedBits_ > realBytes_ * 8; }

 private:
  void Fill() {
    while (held_ <= 8) {
      buffer_ = static_cast<uint16_t>(buffer_ | (NextByte() << (8 - held_)));
      held_ += 8;
    }
  }

  unsigned NextByte() {
    if (pos_ == count_ && !ended_) {
      count_ = read_(block_, sizeof block_);
      pos_ = 0;
      if (count_ == 0) ended_ = true;
    }
    if (ended_) return 0;
    ++realBytes_;
    return block_[pos_++];
  }

  const ReadBlock& read_;
  uint8_t block_[4096];
  size_t pos_ = 0, count_ = 0;
  bool ended_ = false;
  uint16_t buffer_ = 0;
  int held_ = 0;
  uint64_t consumedBits_ = 0, realBytes_ = 0;
};

struct DecoderState {
  HuffmanTree tree;
  uint8_t ring[kRingSize];
};

int DecodeSymbol(HuffmanTree& tree, BitReader& bits) {
  int c = tree.son[kRoot];
  while (c < kNodes) c = tree.son[c + bits.Bit()];
  c -= kNodes;
  tree.Update(c);
  return c;
}

int DecodePosition(BitReader& bits) {
  const PositionDecodeTable& table = PositionTable();
  int i = bits.Byte();
  int upper = table.upper[i] << 6;
  for (int extra = table.length[i] - 2; extra > 0; --extra) i = (i << 1) + bits.Bit();
  return upper | (i & 0x3F);
}

}  // namespace

DecodeResult TLZH::Decode(const ReadBlock& read, const WriteBlock& write, uint32_t length) {
  std::unique_ptr<DecoderState> state(new (std::nothrow) DecoderState);
  if (!state) throw ElzhException(kNoMemoryMessage);
  HuffmanTree& tree = state->tree;
  uint8_t* ring = state->ring;
  tree.Start();
  for (int i = 0; i < kRingStart; ++i) ring[i] = ' ';
  for (int i = kRingStart; i < kRingSize; ++i) ring[i] = 0;

  BitReader bits(read);
  uint8_t out[4096];
  size_t outCount = 0;
  auto flush = [&] {
    if (outCount) write(out, outCount);
    outCount = 0;
  };
  int r = kRingStart;
  uint32_t written = 0;
  auto put = [&](uint8_t byte) {
    ring[r] = byte;
    r = (r + 1) & (kRingSize - 1);
    out[outCount++] = byte;
    if (outCount == sizeof out) flush();
    ++written;
  };
  while (written < length) {
    int c = DecodeSymbol(tree, bits);
    if (c < 256) {
      if (bits.Overrun()) break;
      put(static_cast<uint8_t>(c));
      continue;
    }
    int from = (r - DecodePosition(bits) - 1) & (kRingSize - 1);
    if (bits.Overrun()) break;
    int count = c - 255 + kThreshold;
    for (int k = 0; k < count && written < length; ++k) put(ring[(from + k) & (kRingSize - 1)]);
  }
  flush();
  return written == length ? DecodeResult::kOk : DecodeResult::kTruncated;
}

}  // namespace lzh
