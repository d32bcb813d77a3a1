#!/usr/bin/env python3
"""make_zip.py OUT.zip FOLDER FILE...: writes OUT.zip holding the FILEs under
the top folder FOLDER, compressed, with their modification times.

Names are stored in GBK with the Info-ZIP Unicode path field (UTF-8) beside:
the Windows shell reads GBK names on a Chinese system (including versions
that ignore the UTF-8 flag), and archivers that know the field read it."""
import os
import struct
import sys
import zipfile
import zlib


class NamedZipInfo(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits & ~0x800


def unicode_path_field(name):
    gbk = name.encode("gbk")
    utf8 = name.encode("utf-8")
    body = struct.pack("<BI", 1, zlib.crc32(gbk)) + utf8
    return struct.pack("<HH", 0x7075, len(body)) + body


def main(out, folder, files):
    tmp = out + ".part"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for path in files:
            name = folder + "/" + os.path.basename(path)
            info = NamedZipInfo.from_file(path, name)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # attributes in the MS-DOS form
            info.external_attr = 0x20  # archive
            if not name.isascii():
                info.extra = unicode_path_field(name)
            # writestr takes the level from its argument, not from the
            # archive, when it is given a ZipInfo.
            with open(path, "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, out)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit("usage: make_zip.py OUT.zip FOLDER FILE...")
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
