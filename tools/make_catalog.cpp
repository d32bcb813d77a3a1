// Makes the empty catalogue installed beside the program: both tables, no
// rows, protected by the database password. The program never creates it.
#include <cstdio>
#include <exception>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "platform/file_io.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_catalog OUTPUT\n");
    return 2;
  }
  try {
    fileio::RemoveFile(argv[1]);
    catalog::CreateEmptyCatalog(argv[1], catalog::kDatabasePassword);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_catalog: %s\n", e.what());
    return 1;
  }
  return 0;
}
