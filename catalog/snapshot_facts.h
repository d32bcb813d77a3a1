// What a snapshot records about its disk besides its label and memo: the
// volume's identity (serial number, volume label, file system, drive kind),
// its exact size and free space, the counts of what was recorded, and when
// the snapshot was made and last updated. Snapshots made before the
// catalogue kept them read as all 0 ("not known").
#pragma once

#include <cstdint>
#include <string>

namespace catalog {

class Query;

struct VolumeIdentity {
  uint32_t serial = 0;  // 0: the volume gave none (some network drives)
  std::string volumeLabel;
  std::string fileSystem;
  int driveKind = 0;  // the drive type number (create/drive_list.h)
  int64_t totalBytes = 0;
  int64_t freeBytes = 0;
};

struct SnapshotFacts {
  VolumeIdentity volume;
  int64_t folders = 0;
  int64_t files = 0;
  int64_t fileBytes = 0;
  int64_t created = 0;  // ticks (platform/file_time.h); 0 not known
  int64_t updated = 0;
};

// Whether a snapshot of `facts` is one of the volume `volume`: the same
// non-zero serial number and the same volume label. A disk that gives no
// serial number is never taken for another.
bool SameVolume(const VolumeIdentity& volume, const SnapshotFacts& facts);

// The facts of the CDName row a query stands on (all 0 where the catalogue
// has no such columns or the row has no values).
SnapshotFacts SnapshotFactsOf(const Query& q);

}  // namespace catalog
