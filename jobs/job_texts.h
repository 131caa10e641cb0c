#pragma once

#include <string>

// The job list's texts in the user-interface language, loaded once at its
// first update. Row states are always compared with these, never with
// fixed words.
struct JobTexts {
    std::string plotting;        // current-job state, "Plotting"
    std::string waiting;         // queued state, "Waitting"
    std::string notPlot;         // held state, "Not Plot"
    std::string startFormat;     // "Begin at %.2fcm"
    std::string rowIsBusy;       // "You select the file being printed, ..."
    std::string noSelection;     // "Please choose a file before plotting."
    std::string doNotMove;       // "Don't move the plotting file."
    std::string plotterWorking;  // "The plotter is working. ..."
    std::string notice;          // "Notice"

    static JobTexts Load();
};
