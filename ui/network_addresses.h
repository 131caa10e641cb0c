#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The four fields of an address control, each empty or 0 to 255.
using AddressFields = std::array<std::optional<int>, 4>;

// The fields of a dotted IPv4 address; a part that is not a number of 0 to
// 255, or that text lacks, leaves its field empty.
AddressFields ParseAddressFields(std::string_view text);
// Every field holds a number.
bool IsWholeAddress(const AddressFields& fields);
// "%d.%d.%d.%d", first field first, an empty field as 0.
std::string FormatAddress(const AddressFields& fields);

// The host addresses that the "Net" page lists: the others before the
// loopback ones, each kept in its order, at most six.
std::vector<std::string> ListedHostAddresses(const std::vector<std::string>& addresses);

// The plotter address proposed in the subnet of host a.b.c.d: a.b.c.200, or
// a.b.c.201 when d is 200; empty when host is not a dotted address.
std::string SuggestedPlotterAddress(std::string_view host);
