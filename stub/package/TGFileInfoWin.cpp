// The cluster size of a folder's drive, from the system.
#include "stub/package/TGFileInfo.h"

#include <windows.h>

namespace stub {

double TGFileInfo::SpaceRequired(const std::string& folder) const
{
    const std::string root = folder.substr(0, 3);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    std::uint32_t clusterSize = 0;
    if (GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        clusterSize = sectorsPerCluster * bytesPerSector;
    return SpaceRequiredFor(clusterSize);
}

} // namespace stub
