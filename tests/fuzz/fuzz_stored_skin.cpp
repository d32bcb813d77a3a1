// Fuzz target: a whole stored skin, as a skin file or store item would give
// it: decompression, the archive, the description and its images.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TSkinStore store;
  store.Store().Add().ReadDataStream(std::string(reinterpret_cast<const char*>(data), size));
  skin::TSkinData skin;
  skin.LoadFromStore(store, 0);
  return 0;
}
