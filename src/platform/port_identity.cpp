#include "platform/port_identity.h"

std::optional<SerialPortItem> FindPortWithIdentity(const PortListingSources& sources,
                                                   const std::string& identity)
{
    if (identity.empty())
        return std::nullopt;
    for (SerialPortItem& item : ListSerialPortItems(sources)) {
        if (PortIdentityOf(sources, item.m_device_path) == identity)
            return std::move(item);
    }
    return std::nullopt;
}
