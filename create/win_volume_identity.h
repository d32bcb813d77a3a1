// The identity of the volume in a drive as Windows reports it: serial
// number, volume label and file system (GetVolumeInformationW), the drive
// type, and the exact total and free bytes.
#pragma once

#include <string>

#include "catalog/snapshot_facts.h"

namespace create {

// All 0 and empty when the drive holds no volume (an empty CD drive asks
// nothing of the user).
catalog::VolumeIdentity ReadVolumeIdentity(const std::string& root);

}  // namespace create
