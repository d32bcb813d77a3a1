#include "skin/archive/lzh_tables.h"

#include <algorithm>

namespace lzh {

const uint8_t kPositionLength[64] = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    6, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};

const uint8_t kPositionCode[64] = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90,
    0x94, 0x98, 0x9C, 0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2,
    0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE, 0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC,
    0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE, 0xF0, 0xF1, 0xF2, 0xF3,
    0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

void HuffmanTree::Start() {
  for (int i = 0; i < kSymbols; ++i) {
    freq[i] = 1;
    son[i] = i + kNodes;
    parent[i + kNodes] = i;
  }
  for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq[j] = freq[i] + freq[i + 1];
    son[j] = i;
    parent[i] = parent[i + 1] = j;
  }
  freq[kNodes] = 0xFFFF;  // sentinel that stops the sibling search in Update
  parent[kRoot] = 0;
}

void HuffmanTree::Rebuild() {
  // Gather the leaves at the front with halved frequencies.
  int j = 0;
  for (int i = 0; i < kNodes; ++i) {
    if (son[i] >= kNodes) {
      freq[j] = (freq[i] + 1) / 2;
      son[j] = son[i];
      ++j;
    }
  }
  // Pair them again, inserting each new node where its frequency keeps the
  // list sorted.
  for (int i = 0, k, jj = kSymbols; jj < kNodes; i += 2, ++jj) {
    uint32_t f = freq[i] + freq[i + 1];
    freq[jj] = f;
    for (k = jj - 1; f < freq[k]; --k) {
    }
    ++k;
    std::move_backward(freq + k, freq + jj, freq + jj + 1);
    freq[k] = f;
    std::move_backward(son + k, son + jj, son + jj + 1);
    son[k] = i;
  }
  for (int i = 0; i < kNodes; ++i) {
    int k = son[i];
    if (k >= kNodes)
      parent[k] = i;
    else
      parent[k] = parent[k + 1] = i;
  }
}

void HuffmanTree::Update(int symbol) {
  if (freq[kRoot] == kMaxFreq) Rebuild();
  int c = parent[symbol + kNodes];
  do {
    uint32_t k = ++freq[c];
    int l = c + 1;
    if (k > freq[l]) {
      while (k > freq[++l]) {
      }
      --l;
      freq[c] = freq[l];
      freq[l] = k;
      int i = son[c];
      parent[i] = l;
      if (i < kNodes) parent[i + 1] = l;
      int j = son[l];
      son[l] = i;
      parent[j] = c;
      if (j < kNodes) parent[j + 1] = c;
      son[c] = j;
      c = l;
    }
  } while ((c = parent[c]) != 0);
}

}  // namespace lzh
