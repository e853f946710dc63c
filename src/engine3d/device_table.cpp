#include "device.h"
#include "software_device.h"

namespace quillo::engine3d {

const std::vector<DeviceTableEntry>& deviceTable()
{
    static const std::vector<DeviceTableEntry> table = [] {
        std::vector<DeviceTableEntry> t;
        t.push_back({SoftwareDevice().info(), []() -> std::unique_ptr<Device> { return std::make_unique<SoftwareDevice>(); }});
        return t;
    }();
    return table;
}

} // namespace quillo::engine3d
