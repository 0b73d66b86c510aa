#include "catalogue/Categories.h"

namespace quarvin {

std::string CategoryKey(int index) {
    if (index < 0 || index >= static_cast<int>(Categories.size())) index = 0;
    return Categories[static_cast<std::size_t>(index)].key;
}

std::string DeviceListFileName(char boardModel) {
    switch (boardModel) {
    case 'a': return "devicea.lst";
    case 'c': return "devicec.lst";
    default: return "device.lst"; // 'b', the box that identifies as "pemrav13"
    }
}

} // namespace quarvin
