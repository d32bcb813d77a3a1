# libarchive for the Windows trees, with the zlib, bzip2 and liblzma it reads
# through: the static libraries scripts/fetch-archive-libs builds from
# Debian's source packages. The native tree takes Debian's libarchive-dev.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_vorlune_triple x86_64-w64-mingw32)
else()
  set(_vorlune_triple i686-w64-mingw32)
endif()
set(VORLUNE_ARCHIVE_LIBS_DIR ${CMAKE_SOURCE_DIR}/build/archive-libs/${_vorlune_triple} CACHE PATH
    "folder holding include/, lib/ and private/ of the static libarchive")
foreach(_lib z bz2 lzma archive)
  if(NOT EXISTS ${VORLUNE_ARCHIVE_LIBS_DIR}/lib/lib${_lib}.a)
    message(FATAL_ERROR "No lib${_lib}.a in ${VORLUNE_ARCHIVE_LIBS_DIR}/lib; run scripts/fetch-archive-libs first")
  endif()
  add_library(vorlune_lib${_lib} STATIC IMPORTED)
  set_target_properties(vorlune_lib${_lib} PROPERTIES IMPORTED_LOCATION ${VORLUNE_ARCHIVE_LIBS_DIR}/lib/lib${_lib}.a)
endforeach()
set_target_properties(vorlune_libarchive PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${VORLUNE_ARCHIVE_LIBS_DIR}/include
  INTERFACE_COMPILE_DEFINITIONS LIBARCHIVE_STATIC
  INTERFACE_LINK_LIBRARIES "vorlune_liblzma;vorlune_libbz2;vorlune_libz")
# The private headers, for archive/libarchive_name_form.c alone.
set(VORLUNE_ARCHIVE_PRIVATE_DIR ${VORLUNE_ARCHIVE_LIBS_DIR}/private)
