# SQLite: Debian's library for the native tree; for the Windows trees the
# amalgamation that scripts/fetch-sqlite builds from Debian's source package.
if(WIN32)
  set(VORLUNE_SQLITE_DIR ${CMAKE_SOURCE_DIR}/build/sqlite/amalgamation CACHE PATH "folder holding sqlite3.c and sqlite3.h")
  if(NOT EXISTS ${VORLUNE_SQLITE_DIR}/sqlite3.c)
    message(FATAL_ERROR "No SQLite amalgamation in ${VORLUNE_SQLITE_DIR}; run scripts/fetch-sqlite first")
  endif()
  add_library(vorlune_sqlite STATIC ${VORLUNE_SQLITE_DIR}/sqlite3.c)
  target_include_directories(vorlune_sqlite SYSTEM PUBLIC ${VORLUNE_SQLITE_DIR})
  target_compile_definitions(vorlune_sqlite PRIVATE SQLITE_DQS=0 SQLITE_OMIT_LOAD_EXTENSION
                             SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_THREADSAFE=1 SQLITE_ENABLE_FTS5)
  target_compile_options(vorlune_sqlite PRIVATE -O2 -w)
  set_source_files_properties(${VORLUNE_SQLITE_DIR}/sqlite3.c PROPERTIES COMPILE_OPTIONS "-O2")
else()
  find_package(SQLite3 REQUIRED)
  add_library(vorlune_sqlite INTERFACE)
  target_link_libraries(vorlune_sqlite INTERFACE SQLite::SQLite3)
endif()
