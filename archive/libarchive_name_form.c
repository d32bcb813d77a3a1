/* How libarchive holds a member's name on Windows. There it keeps a name
 * either in UTF-16, when the format says what the name holds (7z, rar 5, a
 * zip's UTF-8 flag, Joliet, pax), or as the bytes stored, when it does not
 * (a zip without the flag, ustar, cab, Rock Ridge). Its public calls turn
 * those bytes into text through the process's code page and do not say
 * which form a name came in, so the lister asks the entry itself. Built
 * against the private headers and the configuration of the very libarchive
 * linked (scripts/fetch-archive-libs keeps them), so the layout is its. */
#define __LIBARCHIVE_BUILD 1
#include "archive_platform.h"
#include "archive_entry_private.h"

const char* vorlune_entry_name_bytes(struct archive_entry* entry);

/* The bytes of the member's name when the reader stored them without an
 * encoding; NULL when it stored text. Readers add forms as they look at a
 * name: the zip, tar and cab readers its UTF-16 form (the bytes widened one
 * to one in the "C" locale), the rar 5 reader a UTF-8 form made from text. */
const char* vorlune_entry_name_bytes(struct archive_entry* entry) {
  const struct archive_mstring* name = &entry->ae_pathname;
  size_t i;
  if ((name->aes_set & AES_SET_MBS) == 0 || (name->aes_set & AES_SET_UTF8) != 0) return NULL;
  if (name->aes_set & AES_SET_WCS) {
    /* Text narrowed to bytes would not widen back where it went past
     * U+00FF; bytes widened do. */
    if (name->aes_wcs.length != name->aes_mbs.length) return NULL;
    for (i = 0; i < name->aes_mbs.length; ++i)
      if (name->aes_wcs.s[i] != (wchar_t)(unsigned char)name->aes_mbs.s[i]) return NULL;
  }
  return name->aes_mbs.s;
}
