#include "ui/network_addresses.h"

#include <algorithm>

#include "platform/c_numbers.h"

namespace {

constexpr std::size_t kListedHosts = 6;
constexpr int kLargestOctet = 255;
constexpr int kLoopbackNet = 127;
constexpr int kSuggestedHost = 200;

std::optional<int> Octet(std::string_view part) {
    if (part.empty() || part.size() > 3 || !std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = platform::Atoi(part);
    if (value > kLargestOctet) return std::nullopt;
    return value;
}

bool IsLoopback(const std::string& address) { return ParseAddressFields(address)[0] == kLoopbackNet; }

}  // namespace

AddressFields ParseAddressFields(std::string_view text) {
    AddressFields fields;
    for (auto& field : fields) {
        const std::size_t dot = text.find('.');
        field = Octet(text.substr(0, dot));
        if (dot == std::string_view::npos) break;
        text.remove_prefix(dot + 1);
    }
    return fields;
}

bool IsWholeAddress(const AddressFields& fields) {
    return std::ranges::all_of(fields, [](const auto& field) { return field.has_value(); });
}

std::string FormatAddress(const AddressFields& fields) {
    std::string text;
    for (const auto& field : fields) {
        if (!text.empty()) text += '.';
        text += std::to_string(field.value_or(0));
    }
    return text;
}

std::vector<std::string> ListedHostAddresses(const std::vector<std::string>& addresses) {
    std::vector<std::string> listed = addresses;
    std::ranges::stable_partition(listed, [](const std::string& address) { return !IsLoopback(address); });
    if (listed.size() > kListedHosts) listed.resize(kListedHosts);
    return listed;
}

std::string SuggestedPlotterAddress(std::string_view host) {
    AddressFields fields = ParseAddressFields(host);
    if (!IsWholeAddress(fields)) return {};
    fields[3] = *fields[3] == kSuggestedHost ? kSuggestedHost + 1 : kSuggestedHost;
    return FormatAddress(fields);
}
