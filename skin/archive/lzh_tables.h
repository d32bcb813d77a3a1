// Shared state of the LZSS + adaptive Huffman coder: the ring parameters and
// the adaptive code tree that encoder and decoder must keep in step.
#pragma once

#include <cstdint>

namespace lzh {

inline constexpr int kRingSize = 4096;                          // N
inline constexpr int kLookAhead = 60;                           // F
inline constexpr int kThreshold = 2;                            // longest length sent as literals
inline constexpr int kRingStart = kRingSize - kLookAhead;       // 4036: first write position
inline constexpr int kSymbols = 256 - kThreshold + kLookAhead;  // 314
inline constexpr int kNodes = kSymbols * 2 - 1;                 // 627
inline constexpr int kRoot = kNodes - 1;                        // 626
inline constexpr unsigned kMaxFreq = 0x8000;

// Upper 6 bits of a match position: the 8-bit prefix code and its length.
extern const uint8_t kPositionCode[64];
extern const uint8_t kPositionLength[64];

// The adaptive Huffman tree. Nodes 0..626; leaves point (via son) to
// symbol + kNodes. The tree is rebuilt with halved frequencies whenever the
// root's frequency reaches kMaxFreq.
struct HuffmanTree {
  uint32_t freq[kNodes + 1];
  int32_t parent[kNodes + kSymbols];
  int32_t son[kNodes];

  void Start();
  // Counts one more occurrence of `symbol` and restores the sibling order.
  void Update(int symbol);

 private:
  void Rebuild();
};

}  // namespace lzh
