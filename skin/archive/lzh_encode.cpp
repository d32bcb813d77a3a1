#include <memory>
#include <new>

#include "skin/archive/lzh.h"
#include "skin/archive/lzh_tables.h"

namespace lzh {
namespace {

constexpr int kNil = kRingSize;  // "no node" in the match trees

// Most-significant-bit-first writer; whole bytes go out as soon as they fill.
class BitWriter {
 public:
  explicit BitWriter(const WriteBlock& write) : write_(write) {}
  ~BitWriter() = default;

  void Put(int bitCount, uint64_t value) {  // the low `bitCount` bits of value
    for (int i = bitCount - 1; i >= 0; --i) {
      acc_ = static_cast<uint8_t>((acc_ << 1) | ((value >> i) & 1));
      if (++held_ == 8) Emit();
    }
  }

  // Pads the last byte with zero bits and hands out what is left.
  void Finish() {
    if (held_) {
      acc_ = static_cast<uint8_t>(acc_ << (8 - held_));
      Emit();
    }
    Flush();
  }

 private:
  void Emit() {
    block_[count_++] = acc_;
    acc_ = 0;
    held_ = 0;
    if (count_ == sizeof block_) Flush();
  }
  void Flush() {
    if (count_) write_(block_, count_);
    count_ = 0;
  }

  const WriteBlock& write_;
  uint8_t block_[4096];
  size_t count_ = 0;
  uint8_t acc_ = 0;
  int held_ = 0;
};

// The LZSS side: binary search trees over the ring, one per first byte, that
// give the longest (and, among equals, nearest) earlier match of the
// look-ahead. Mirrors the classic encoder so that the same matches are found.
struct MatchFinder {
  uint8_t text[kRingSize + kLookAhead - 1] = {};
  int left[kRingSize + 1];
  int right[kRingSize + 257];
  int dad[kRingSize + 1];
  int matchPosition = 0;
  int matchLength = 0;

  void Init() {
    for (int i = kRingSize + 1; i <= kRingSize + 256; ++i) right[i] = kNil;
    for (int i = 0; i < kRingSize; ++i) dad[i] = kNil;
  }

  void Insert(int r) {
    int cmp = 1;
    const uint8_t* key = &text[r];
    int p = kRingSize + 1 + key[0];
    right[r] = left[r] = kNil;
    matchLength = 0;
    for (;;) {
      if (cmp >= 0) {
        if (right[p] != kNil) {
          p = right[p];
        } else {
          right[p] = r;
          dad[r] = p;
          return;
        }
      } else {
        if (left[p] != kNil) {
          p = left[p];
        } else {
          left[p] = r;
          dad[r] = p;
          return;
        }
      }
      int i = 1;
      for (; i < kLookAhead; ++i)
        if ((cmp = key[i] - text[p + i]) != 0) break;
      if (i > kThreshold) {
        int distance = ((r - p) & (kRingSize - 1)) - 1;
        if (i > matchLength) {
          matchPosition = distance;
          if ((matchLength = i) >= kLookAhead) break;
        }
        if (i == matchLength && distance < matchPosition) matchPosition = distance;
      }
    }
    // Full match: r replaces p in the tree.
    dad[r] = dad[p];
    left[r] = left[p];
    right[r] = right[p];
    dad[left[p]] = r;
    dad[right[p]] = r;
    if (right[dad[p]] == p)
      right[dad[p]] = r;
    else
      left[dad[p]] = r;
    dad[p] = kNil;
  }

  void Delete(int p) {
    if (dad[p] == kNil) return;
    int q;
    if (right[p] == kNil) {
      q = left[p];
    } else if (left[p] == kNil) {
      q = right[p];
    } else {
      q = left[p];
      if (right[q] != kNil) {
        do q = right[q];
        while (right[q] != kNil);
        right[dad[q]] = left[q];
        dad[left[q]] = dad[q];
        left[q] = left[p];
        dad[left[p]] = q;
      }
      right[q] = right[p];
      dad[right[p]] = q;
    }
    dad[q] = dad[p];
    if (right[dad[p]] == p)
      right[dad[p]] = q;
    else
      left[dad[p]] = q;
    dad[p] = kNil;
  }
};

struct EncoderState {
  HuffmanTree tree;
  MatchFinder finder;
};

void EncodeSymbol(HuffmanTree& tree, BitWriter& bits, int symbol) {
  // Walk from the leaf to the root, collecting the path bits.
  uint64_t path = 0;
  int depth = 0;
  int k = tree.parent[symbol + kNodes];
  do {
    path |= static_cast<uint64_t>(k & 1) << depth;
    ++depth;
  } while ((k = tree.parent[k]) != kRoot);
  bits.Put(depth, path);
  tree.Update(symbol);
}

void EncodePosition(BitWriter& bits, int position) {
  int upper = position >> 6;
  bits.Put(kPositionLength[upper], kPositionCode[upper] >> (8 - kPositionLength[upper]));
  bits.Put(6, position & 0x3F);
}

}  // namespace

void TLZH::Encode(const ReadBlock& read, const WriteBlock& write) {
  std::unique_ptr<EncoderState> state(new (std::nothrow) EncoderState);
  if (!state) throw ElzhException(kNoMemoryMessage);
  MatchFinder& mf = state->finder;
  HuffmanTree& tree = state->tree;

  auto next = [&read](int& c) {
    uint8_t b;
    if (read(&b, 1) != 1) return false;
    c = b;
    return true;
  };
  int c;
  int len = 0;
  int r = kRingStart;
  for (; len < kLookAhead && next(c); ++len) mf.text[r + len] = static_cast<uint8_t>(c);
  if (len == 0) return;  // empty input writes no bits at all

  BitWriter bits(write);
  tree.Start();
  mf.Init();
  int s = 0;
  for (int i = s; i < r; ++i) mf.text[i] = ' ';
  for (int i = 1; i <= kLookAhead; ++i) mf.Insert(r - i);
  mf.Insert(r);
  do {
    if (mf.matchLength > len) mf.matchLength = len;
    if (mf.matchLength <= kThreshold) {
      mf.matchLength = 1;
      EncodeSymbol(tree, bits, mf.text[r]);
    } else {
      EncodeSymbol(tree, bits, 255 - kThreshold + mf.matchLength);
      EncodePosition(bits, mf.matchPosition);
    }
    int lastMatchLength = mf.matchLength;
    int i = 0;
    for (; i < lastMatchLength && next(c); ++i) {
      mf.Delete(s);
      mf.text[s] = static_cast<uint8_t>(c);
      if (s < kLookAhead - 1) mf.text[s + kRingSize] = static_cast<uint8_t>(c);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      mf.Insert(r);
    }
    while (i++ < lastMatchLength) {
      mf.Delete(s);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      if (--len) mf.Insert(r);
    }
  } while (len > 0);
  bits.Finish();
}

}  // namespace lzh
