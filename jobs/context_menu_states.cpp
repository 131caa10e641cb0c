#include "jobs/context_menu_states.h"

#include "res/resource_ids.h"

bool ContextMenuItemEnabled(unsigned id, bool rowIsPlotting, bool jobRunning, int row, int rowCount) {
    using namespace res;
    switch (id) {
        case ID_SECT_PREVIEW:
        case ID_FINAL_VIEW:
            return false;
        case ID_PLOT:
        case ID_MOVE_TO_FIRST:
            return !rowIsPlotting;
        case ID_MOVE_UP:
            return !rowIsPlotting && row != 0;
        case ID_MOVE_DOWN:
            return !rowIsPlotting && row != rowCount - 1;
        case ID_DELETE_FILE:
            return !rowIsPlotting || !jobRunning;
        default:
            return true;
    }
}
