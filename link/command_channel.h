#pragma once

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The UDP command channel to the plotter's control board: one socket, one
// request in flight, its reply read a fixed time after the request. Used by
// the worker thread and the user-interface thread alike, without a lock:
// each caller compares the reply's code with its own command and retries.

// Command ids (6 and 8 are never sent).
inline constexpr uint32_t CMD_RESET = 0;
inline constexpr uint32_t CMD_RIGHT_END = 1;
inline constexpr uint32_t CMD_LEFT_START = 2;
inline constexpr uint32_t CMD_GET_PROGRESS = 3;
inline constexpr uint32_t CMD_SWATH_COUNT = 4;
inline constexpr uint32_t CMD_JOB_BEGIN = 5;
inline constexpr uint32_t CMD_Y_STEP = 7;
inline constexpr uint32_t CMD_DATA_LENGTH = 9;
inline constexpr uint32_t CMD_DATA_CHECKSUM = 10;
inline constexpr uint32_t CMD_DATA_COMMIT = 11;
inline constexpr uint32_t CMD_GET_STATUS = 12;
inline constexpr uint32_t CMD_FAN_PWM = 13;
inline constexpr uint32_t CMD_PRINT_START = 14;
inline constexpr uint32_t CMD_PRINT_SPEED = 15;
inline constexpr uint32_t CMD_RASTER_VAL = 16;
inline constexpr uint32_t CMD_MOTOR_BUF_L = 17;
inline constexpr uint32_t CMD_MOTOR_BUF_R = 18;
inline constexpr uint32_t CMD_SET_IP = 19;
inline constexpr uint32_t CMD_STEP_SPEED = 20;

// Bits of the status word (the value of a code-12 reply).
inline constexpr uint32_t STATUS_END_REQUEST = 0x0001;
inline constexpr uint32_t STATUS_STOP = 0x0008;
inline constexpr uint32_t STATUS_JOB_DONE = 0x0010;
// Hold only when both bits are set.
inline constexpr uint32_t STATUS_HOLD = 0x0100 | 0x0200;
inline constexpr uint32_t STATUS_DATA_RECEIVED = 0x4000;
inline constexpr uint32_t STATUS_BUSY = 0x8000;

// The value of the ping's status request.
inline constexpr uint32_t kPingValue = 0x87654321;

// Ports: requests leave from kLocalPort to kPlotterPort.
inline constexpr uint16_t kLocalPort = 8001;
inline constexpr uint16_t kPlotterPort = 8000;

// The fixed delays of the channel and of the settings sequence. Only tests
// change them, to run faster.
struct ChannelTiming {
    // From a request to the read of its reply.
    std::chrono::milliseconds replyWait{100};
    // After every unsuccessful query of the settings sequence.
    std::chrono::milliseconds settingsRetryPause{50};
};
extern ChannelTiming g_channelTiming;

// The socket; -1 until OpenCommandSocket. Never closed.
extern int g_commandSocket;
// 1 while requests go to 255.255.255.255.
extern std::atomic<uint8_t> g_broadcast;
// Replies missing or invalid in a row: 0 or 1.
extern std::atomic<int32_t> g_missCount;

// Creates the socket, bound to port 8001 of every local address,
// non-blocking. Failures are not reported: they show as missed replies.
int OpenCommandSocket();

// Switches broadcasting on (1) or off (0).
void SetBroadcast(uint8_t on);

// The configured plotter address ("IP_ADDR", read under the document's
// configuration lock); nothing when there is no document or it is not a
// dotted IPv4 address, so that a bad setting never reaches some other host.
std::optional<in_addr> ConfiguredPlotterAddress();

// Sends bytes to port 8000 of the broadcast address while broadcasting, else
// of the configured plotter address ("IP_ADDR", read at every call). Nothing
// is sent when that address is not a dotted IPv4 address or there is no
// document. The send result is ignored.
void SendDatagram(std::span<const uint8_t> bytes);

// Reads one waiting datagram from any sender into buffer; its length, or -1
// when nothing was waiting, the read failed or the datagram did not fit.
int ReceiveDatagram(std::span<uint8_t> buffer);

// Sends the request for command with value; result 0.
int SendCommand(uint32_t command, uint32_t value);

// Reads at most one datagram and stores it in the status record when it is a
// valid reply: 0 then, else -1 (a miss; the second miss in a row sets the
// plotter offline).
int ReadReply();

// SendCommand, the reply wait, ReadReply; the result of ReadReply. The
// reply's code is not compared with the command: callers do that.
int QueryPlotter(uint32_t command, uint32_t value);

// A status request with kPingValue; whether the plotter counts as online.
bool PingPlotter();

// Asks the plotter to take the configured address; true when it answered
// with code 19 and that address echoed. False, with nothing sent, when the
// configured address is not a dotted IPv4 address.
bool CheckPlotterAddress();

// Stores address as the configuration's plotter address; nothing is saved.
void SetPlotterAddress(std::string_view address);

// Sends the job's settings from the print slot's plan and the configuration
// it was planned with (the job's own copy), each repeated until answered or
// the job is to end. Once the job is aborted each remaining setting is sent
// once, unanswered; once the worker is to quit none is. Nothing without a
// planned print slot.
void SendJobSettings();
