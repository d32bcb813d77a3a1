// Renders a sheet of a packed skin's elements to PNG, for looking at, or
// checks the packed skin store holds the expected skins in order.
//   skin_sheet SKIN.skn OUT.png
//   skin_sheet --check-store SKINSTORE.bin NAME...
#include <cstdio>

#include "platform/file_io.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "tools/skin_pack/sheet_render.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

// Loads every item of the store by index and compares the skin names.
int CheckStore(int argc, char** argv) {
  std::string bytes;
  skin::TSkinStore store;
  if (!fileio::ReadWholeFile(argv[2], bytes) || !store.ReadPersisted(bytes)) {
    std::fprintf(stderr, "skin_sheet: %s is not a skin store\n", argv[2]);
    return 1;
  }
  const int expected = argc - 3;
  if (store.Store().Count() != expected) {
    std::fprintf(stderr, "skin_sheet: %d skins, expected %d\n", store.Store().Count(), expected);
    return 1;
  }
  int failures = 0;
  for (int i = 0; i < expected; ++i) {
    skin::TSkinData data;
    bool ok = data.LoadFromStore(store, i) && data.Model().skinName == argv[3 + i];
    std::printf("%s skin %d: %s\n", ok ? "ok" : "FAILED", i, data.Model().skinName.c_str());
    failures += !ok;
  }
  std::printf("%d passed, %d failed\n", expected - failures, failures);
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--check-store") return CheckStore(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: skin_sheet SKIN.skn OUT.png | --check-store SKINSTORE.bin NAME...\n");
    return 2;
  }
  std::string stored;
  if (!fileio::ReadWholeFile(argv[1], stored)) {
    std::fprintf(stderr, "skin_sheet: cannot read %s\n", argv[1]);
    return 1;
  }
  skin::TSkinStore store;
  store.Store().Add().ReadDataStream(stored);
  skin::TSkinData data;
  if (!data.LoadFromStore(store, 0)) {
    std::fprintf(stderr, "skin_sheet: %s is not a loadable skin\n", argv[1]);
    return 1;
  }
  skin::Bitmap sheet = sheet::RenderSheet(data.Model());
  std::vector<unsigned char> rgb;
  rgb.reserve(sheet.Pixels().size() * 3);
  for (uint32_t p : sheet.Pixels()) {
    rgb.push_back(static_cast<unsigned char>(skin::RedOf(p)));
    rgb.push_back(static_cast<unsigned char>(skin::GreenOf(p)));
    rgb.push_back(static_cast<unsigned char>(skin::BlueOf(p)));
  }
  if (!stbi_write_png(argv[2], sheet.Width(), sheet.Height(), 3, rgb.data(), sheet.Width() * 3)) {
    std::fprintf(stderr, "skin_sheet: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
