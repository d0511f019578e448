#include "atlasgrowth.h"

#include <climits>

#include "freespacemap.h"

bool growFreeSpace(FreeSpaceMap& freeSpace, std::uint32_t& width, std::uint32_t& height) {
    if (height < width) {
        if (height > INT_MAX / 2) {
            return false;
        }
        freeSpace.addFree(0, height, width, height);
        height *= 2;
    } else {
        if (width > INT_MAX / 2) {
            return false;
        }
        freeSpace.addFree(width, 0, width, height);
        width *= 2;
    }
    return true;
}
