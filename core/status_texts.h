#pragma once

#include <array>
#include <mutex>
#include <string>
#include <string_view>

// The kinds of status-bar text; each is shown in the pane of the same number.
enum StatusTextKind {
    STATUS_TEXT_PERCENT = 2,
    STATUS_TEXT_CONNECTION = 3,
    STATUS_TEXT_TASK = 4,
    STATUS_TEXT_POSITION = 5,
    STATUS_TEXT_RUNSTATE = 6,
};

// The status-bar texts: the job code on either thread sets them, the job
// list's timer copies them into the status bar. Every access takes the lock
// and texts leave as copies.
class StatusTexts {
public:
    // The initial texts of the five kinds and the three fixed texts, from the
    // string table of the user-interface language.
    void Init();

    // Replaces the current text of kind (2 to 6) when it differs; any other
    // kind is ignored.
    void Set(int kind, std::string_view text);
    // The current text of kind; empty for a kind outside 2 to 6.
    std::string Get(int kind) const;

    std::string Plotting() const;
    std::string Finished() const;
    std::string Print() const;

private:
    static constexpr int kFirstKind = STATUS_TEXT_PERCENT;
    static constexpr int kLastKind = STATUS_TEXT_RUNSTATE;

    mutable std::mutex m_mutex;
    std::array<std::string, kLastKind - kFirstKind + 1> m_current;
    std::string m_strPlotting;
    std::string m_strFinished;
    std::string m_strPrint;
};

extern StatusTexts g_statusTexts;
