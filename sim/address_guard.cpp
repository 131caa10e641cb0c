#include "sim/address_guard.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

namespace sim {

bool IsLoopbackAddress(const std::string& dotted) {
    in_addr address{};
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1) return false;
    return (ntohl(address.s_addr) >> 24) == 127;
}

bool OnlyLoopbackInterfaces() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return false;
    bool onlyLoopback = true;
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
        if ((entry->ifa_flags & IFF_LOOPBACK) == 0) onlyLoopback = false;
    }
    freeifaddrs(interfaces);
    return onlyLoopback;
}

bool MayListenOn(const std::string& dotted) { return IsLoopbackAddress(dotted) || OnlyLoopbackInterfaces(); }

}  // namespace sim
