#pragma once

#include <string>

#include "jobs/file_view.h"
#include "tests/windows/window_fixture.h"

// The job list of a main frame whose first update has not run: no socket, no
// timers, no worker. Rows are set up by the test; the configuration has one
// head, so jobs can be prepared.
class JobListFixture : public WindowFixture {
public:
    explicit JobListFixture(const std::string& extraConfig = "")
        : WindowFixture(kOneHead + extraConfig), view(*Frame().GetFileView()) {
        view.LoadTexts();
        g_pDocument = document.get();
        g_pJobListLink = &view;
    }
    ~JobListFixture() { g_pJobListLink = nullptr; }

    // Appends a row in state (a loaded state word) for a file of the work folder.
    int AddRow(const std::string& state, const std::string& name, const std::string& counter = "1",
               const std::string& details = "") {
        return view.Rows().AppendRow({state, WorkFolder() + "/" + name, counter, "* * *", details});
    }
    std::string Cell(int row, int column) { return view.Rows().Text(row, column); }
    const JobTexts& texts() const { return view.Texts(); }

    CFileView& view;
};
