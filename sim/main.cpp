// stand-in-plotter: serves the plotter's command channel and data port on one
// address until interrupted or until its maximum run time, logging to
// standard error one line per job at its end and one per address change
// (every request with --every-request).

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "sim/address_guard.h"
#include "sim/stand_in_plotter.h"

namespace {

constexpr const char* kUsage =
    "usage: stand-in-plotter --address A [--namespace] [--command-port N] [--data-port N]\n"
    "         [--passes N] [--busy-replies N] [--print-replies N]\n"
    "         [--seed N] [--drop P] [--late P] [--late-ms MS] [--bad-check P] [--oversize P]\n"
    "         [--wrong-checksums K] [--cut-connections K] [--hold-replies K] [--hold-after CMD:N]\n"
    "         [--stop-after CMD:N] [--end-requests K] [--silent-requests K] [--silent-after CMD:N]\n"
    "         [--no-address-answer] [--every-request] [--max-seconds S]\n"
    "A must be a loopback address (127.0.0.0/8) unless --namespace is given and only\n"
    "loopback interfaces exist. Odds P are between 0 and 1; S defaults to 600, and 0\n"
    "serves until interrupted.\n";

volatile std::sig_atomic_t g_interrupted = 0;

void OnSignal(int) { g_interrupted = 1; }

// The local wall-clock time, as a reader of the log expects it.
std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

struct ProgramOptions {
    sim::StandInOptions standIn;
    bool inNamespace = false;
    bool everyRequest = false;
    int maxSeconds = 600;
};

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

template <typename Number>
std::optional<Number> ParseInRange(std::string_view text, Number low, Number high) {
    const auto number = ParseNumber<Number>(text);
    if (!number || !(*number >= low && *number <= high)) return std::nullopt;
    return number;
}

// "CMD:N": after the N-th request with command id CMD.
std::optional<sim::Trigger> ParseTrigger(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto command = ParseNumber<uint32_t>(text.substr(0, colon));
    const auto count = ParseInRange<int>(text.substr(colon + 1), 1, 1'000'000'000);
    if (!command || !count) return std::nullopt;
    return sim::Trigger{*command, *count};
}

// Sets the option named flag from value; false when the flag is unknown or
// the value does not fit it.
bool ApplyOption(std::string_view flag, std::string_view value, ProgramOptions& options) {
    sim::StandInOptions& standIn = options.standIn;
    sim::FaultPlan& faults = standIn.faults;
    const auto count = [&](int& target) {
        const auto number = ParseInRange<int>(value, 0, 1'000'000'000);
        if (number) target = *number;
        return number.has_value();
    };
    const auto odds = [&](double& target) {
        const auto number = ParseInRange<double>(value, 0.0, 1.0);
        if (number) target = *number;
        return number.has_value();
    };
    const auto port = [&](uint16_t& target) {
        const auto number = ParseNumber<uint16_t>(value);
        if (number) target = *number;
        return number.has_value();
    };
    const auto trigger = [&](std::optional<sim::Trigger>& target) {
        target = ParseTrigger(value);
        return target.has_value();
    };
    if (flag == "--address") {
        standIn.address = std::string(value);
        return true;
    }
    if (flag == "--command-port") return port(standIn.commandPort);
    if (flag == "--data-port") return port(standIn.dataPort);
    if (flag == "--passes") return count(standIn.board.passes);
    if (flag == "--busy-replies") return count(standIn.board.busyReplies);
    if (flag == "--print-replies") return count(standIn.board.printReplies);
    if (flag == "--seed") {
        const auto seed = ParseNumber<uint32_t>(value);
        if (seed) faults.seed = *seed;
        return seed.has_value();
    }
    if (flag == "--drop") return odds(faults.dropOdds);
    if (flag == "--late") return odds(faults.lateOdds);
    if (flag == "--bad-check") return odds(faults.badCheckOdds);
    if (flag == "--oversize") return odds(faults.oversizeOdds);
    if (flag == "--late-ms") {
        int milliseconds = 0;
        if (!count(milliseconds)) return false;
        faults.lateDelay = std::chrono::milliseconds(milliseconds);
        return true;
    }
    if (flag == "--wrong-checksums") return count(faults.wrongChecksums);
    if (flag == "--cut-connections") return count(faults.cutConnections);
    if (flag == "--hold-replies") return count(faults.holdReplies);
    if (flag == "--hold-after") return trigger(faults.holdAfter);
    if (flag == "--stop-after") return trigger(faults.stopAfter);
    if (flag == "--end-requests") return count(faults.endRequests);
    if (flag == "--silent-requests") return count(faults.silentRequests);
    if (flag == "--silent-after") return trigger(faults.silentAfter);
    if (flag == "--max-seconds") {
        const auto seconds = ParseInRange<int>(value, 0, 7 * 24 * 3600);
        if (seconds) options.maxSeconds = *seconds;
        return seconds.has_value();
    }
    return false;
}

std::optional<ProgramOptions> ParseCommandLine(int argc, char** argv) {
    ProgramOptions options;
    options.standIn.address.clear();
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        if (flag == "--namespace") {
            options.inNamespace = true;
        } else if (flag == "--no-address-answer") {
            options.standIn.faults.answerAddressChange = false;
        } else if (flag == "--every-request") {
            options.everyRequest = true;
        } else if (i + 1 >= argc || !ApplyOption(flag, argv[i + 1], options)) {
            std::fprintf(stderr, "stand-in-plotter: bad option %s\n", argv[i]);
            return std::nullopt;
        } else {
            ++i;
        }
    }
    if (options.standIn.address.empty()) {
        std::fprintf(stderr, "stand-in-plotter: --address is required\n");
        return std::nullopt;
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    auto options = ParseCommandLine(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& address = options->standIn.address;
    if (!sim::IsLoopbackAddress(address) && !(options->inNamespace && sim::OnlyLoopbackInterfaces())) {
        std::fprintf(stderr,
                     "stand-in-plotter: refusing %s: only a loopback address, or any address with --namespace "
                     "inside a network namespace that has nothing but loopback interfaces\n",
                     address.c_str());
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    const bool everyRequest = options->everyRequest;
    options->standIn.onRequest = [start, everyRequest](const sim::RequestRecord& request) {
        if (everyRequest) {
            const std::chrono::duration<double> elapsed = request.time - start;
            std::fprintf(stderr, "%10.3f s  command %2u  value %10u (0x%08X)  %s\n", elapsed.count(), request.command,
                         request.value, request.value, sim::FateName(request.fate));
        } else if (request.command == sim::kCmdSetAddress && request.fate != sim::ReplyFate::Invalid) {
            // The address travels first octet first, in the low byte.
            const uint32_t octets = request.value;
            std::fprintf(stderr, "%s  address change to %u.%u.%u.%u, reply %s\n", Now().c_str(), octets & 0xFF,
                         octets >> 8 & 0xFF, octets >> 16 & 0xFF, octets >> 24, sim::FateName(request.fate));
        }
    };
    options->standIn.onJobEnd = [](std::size_t index, const sim::JobRecord& job) {
        const auto count = job.settings.find(sim::kCmdSwathCount);
        std::fprintf(stderr, "%s  job %zu %s: %d payloads received, %d committed, %u of %u swaths printed\n",
                     Now().c_str(), index + 1, job.done ? "printed" : "ended unfinished", job.receivedPayloads,
                     job.committedPackets, job.swathsPrinted, count == job.settings.end() ? 0u : count->second);
    };

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    try {
        sim::StandInPlotter plotter(options->standIn);
        const int maxSeconds = options->maxSeconds;
        const std::string runTime =
            maxSeconds == 0 ? "until stopped" : "for at most " + std::to_string(maxSeconds) + " s";
        std::fprintf(stderr, "%s  stand-in-plotter: %s, commands on UDP %u, data on TCP %u, %s\n", Now().c_str(),
                     address.c_str(), plotter.CommandPort(), plotter.DataPort(), runTime.c_str());
        const auto end = start + std::chrono::seconds(maxSeconds);
        while (g_interrupted == 0 && (maxSeconds == 0 || std::chrono::steady_clock::now() < end))
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        plotter.Stop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "stand-in-plotter: %s\n", error.what());
        return 1;
    }
    return 0;
}
