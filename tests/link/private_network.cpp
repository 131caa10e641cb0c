#include <ifaddrs.h>
#include <net/if.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

// The interfaces other than loopback, comma-separated; "?" when they cannot
// be listed.
std::string NonLoopbackInterfaces() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return "?";
    std::set<std::string> others;
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
        if (std::string(entry->ifa_name) != "lo" || (entry->ifa_flags & IFF_LOOPBACK) == 0)
            others.insert(entry->ifa_name);
    }
    freeifaddrs(interfaces);
    std::string list;
    for (const auto& name : others) list += (list.empty() ? "" : ", ") + name;
    return list;
}

// These tests use the plotter's fixed ports and broadcast to
// 255.255.255.255, so they run only where nothing can leave the machine: a
// network namespace whose only interface is loopback.
class PrivateNetworkOnly : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string others = NonLoopbackInterfaces();
        if (others.empty()) return;
        // A failed global set-up only skips the tests and still exits 0, so
        // the refusal ends the program itself.
        std::fprintf(stderr,
                     "Refusing to run: this network namespace has interfaces other than loopback (%s). "
                     "Run the link tests through scripts/in-private-netns.\n",
                     others.c_str());
        std::exit(EXIT_FAILURE);
    }
};

const auto* const privateNetworkOnly = ::testing::AddGlobalTestEnvironment(new PrivateNetworkOnly);

}  // namespace
