#pragma once

#include <string>

namespace sim {

// True for a dotted IPv4 address in 127.0.0.0/8.
bool IsLoopbackAddress(const std::string& dotted);

// True when every network interface this process can see is a loopback
// interface, as inside a network namespace of its own.
bool OnlyLoopbackInterfaces();

// The stand-in may listen on a loopback address anywhere, and on any other
// address only where nothing but loopback interfaces exist.
bool MayListenOn(const std::string& dotted);

}  // namespace sim
