#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "sim/address_guard.h"

namespace {

// These tests use the plotter's fixed ports and broadcast to
// 255.255.255.255, so they run only where nothing can leave the machine: a
// network namespace whose only interface is loopback.
class PrivateNetworkOnly : public ::testing::Environment {
public:
    void SetUp() override {
        if (sim::OnlyLoopbackInterfaces()) return;
        // A failed global set-up only skips the tests and still exits 0, so
        // the refusal ends the program itself.
        std::fprintf(stderr,
                     "Refusing to run: this network namespace has interfaces other than loopback. "
                     "Run the link tests through scripts/in-private-netns.\n");
        std::exit(EXIT_FAILURE);
    }
};

const auto* const privateNetworkOnly = ::testing::AddGlobalTestEnvironment(new PrivateNetworkOnly);

}  // namespace
