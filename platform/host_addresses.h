#pragma once

#include <string>
#include <vector>

namespace platform {

// The IPv4 addresses of this computer's network interfaces, dotted, in the
// order the system lists them; empty when they cannot be read.
std::vector<std::string> HostIpv4Addresses();

}  // namespace platform
