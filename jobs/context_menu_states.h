#pragma once

// Whether item id of the job list's context menu is enabled for the selected
// row (row of rowCount), by the row's state and whether the worker runs the
// job. "Sect Preview" and "Final View" are always grayed.
bool ContextMenuItemEnabled(unsigned id, bool rowIsPlotting, bool jobRunning, int row, int rowCount);
