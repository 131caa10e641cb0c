#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// Bit of PlotterStatus::m_wUpdate: all swath data of the job have been sent.
constexpr uint16_t UPDATE_ALL_DATA_SENT = 0x0040;

// The live state of the plotter link, shared by the worker thread, the
// command channel and the windows. Flags and reply words are atomics; the
// position format is handed out as a copy.
class PlotterStatus {
public:
    // The code and value of one valid reply.
    struct Reply {
        uint32_t code = 0;
        uint32_t value = 0;
    };

    // A prepared job waits for the worker; the next job end waits for this
    // job's own data.
    void SignalJobReady();
    bool IsJobReady() const { return m_bJobReady.load() != 0; }

    // Takes the raster position format (string 164) from the string table.
    void LoadPositionFormat();
    std::string PositionFormat() const;

    // The last valid reply. Code and value are stored and read as one word,
    // so that a thread never pairs one reply's code with another's value
    // while the other thread reads a reply of its own.
    Reply LastReply() const;
    void SetLastReply(uint32_t code, uint32_t value);
    // Value := 0, the code kept (the swath transfer does this after its
    // announcement).
    void ClearReplyValue();

    std::atomic<uint8_t> m_bJobReady{0};
    std::atomic<uint8_t> m_bOnline{0};
    std::atomic<uint8_t> m_bBusy{0};
    std::atomic<uint32_t> m_nStatusWord{0};
    std::atomic<uint16_t> m_wUpdate{0};

private:
    // Code in the high half, value in the low half.
    std::atomic<uint64_t> m_nReplyCodeAndValue{0};
    mutable std::mutex m_mutex;
    std::string m_strPositionFormat;
};

extern PlotterStatus g_plotterStatus;
