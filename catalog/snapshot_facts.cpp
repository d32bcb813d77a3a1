#include "catalog/snapshot_facts.h"

#include "catalog/query.h"

namespace catalog {

bool SameVolume(const VolumeIdentity& volume, const SnapshotFacts& facts) {
  return volume.serial != 0 && volume.serial == facts.volume.serial && volume.volumeLabel == facts.volume.volumeLabel;
}

SnapshotFacts SnapshotFactsOf(const Query& q) {
  SnapshotFacts f;
  auto number = [&](const char* column) -> int64_t { return q.HasField(column) ? q.AsInteger(column) : 0; };
  auto text = [&](const char* column) { return q.HasField(column) ? q.AsString(column) : std::string(); };
  f.volume.serial = static_cast<uint32_t>(number("Serial"));
  f.volume.volumeLabel = text("VolumeLabel");
  f.volume.fileSystem = text("FileSystem");
  f.volume.driveKind = static_cast<int>(number("DriveKind"));
  f.volume.totalBytes = number("TotalBytes");
  f.volume.freeBytes = number("FreeBytes");
  f.folders = number("Folders");
  f.files = number("Files");
  f.fileBytes = number("FileBytes");
  f.created = number("Created");
  f.updated = number("Updated");
  return f;
}

}  // namespace catalog
