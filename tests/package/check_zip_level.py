#!/usr/bin/env python3
"""check_zip_level.py ZIP...: fails unless every entry of each zip is
deflated at zlib's level 9 (its compressed bytes are those that level 9
makes of its content)."""
import sys
import zipfile
import zlib


def deflated_at_9(data):
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def main(zips):
    for path in zips:
        with zipfile.ZipFile(path) as z, open(path, "rb") as raw:
            for info in z.infolist():
                if info.compress_type != zipfile.ZIP_DEFLATED:
                    sys.exit(f"{path}: {info.filename} is not deflated")
                # The local header: 30 bytes, the name and the extra field, then the data.
                raw.seek(info.header_offset + 26)
                name_len, extra_len = int.from_bytes(raw.read(2), "little"), int.from_bytes(raw.read(2), "little")
                raw.seek(info.header_offset + 30 + name_len + extra_len)
                stored = raw.read(info.compress_size)
                if stored != deflated_at_9(z.read(info)):
                    sys.exit(f"{path}: {info.filename} is not deflated at level 9")


if __name__ == "__main__":
    main(sys.argv[1:])
