#include <algorithm>
#include <functional>

#include "res/string_tables.h"

namespace res {
namespace {

// The English texts stay byte for byte as the operators have always seen
// them, old spelling slips and the blanks that pad status-bar panes included.
constexpr StringEntry kStrings[] = {
    {121, "Zoom out the file\nZoom out"},
    {122, "Please choose a directory."},
    {123, "Finished"},
    {127, "connect error.Please check the USB cable!Do you want to try more?"},
    {128, "Inkjet Plotter\n\nTOLVEX\n\n\nTOLVEXR5DServer.Document\nTOLVEX Document"},
    {129, "Plot files(*.plt; *.hpg; *.pla; *.hpgl; *.PRT; *.pmd)|*.plt; *.hpg; *.pla; *.hpgl; *.PRT; *.pmd||"},
    {131, "Notice"},
    {132, "Task Status"},
    {133, "File Name"},
    {134, "Plotting Counter"},
    {135, "Size"},
    {136, "More Details"},
    {137, "Not Plot"},
    {138, "Online"},
    {139, "Offline"},
    {140, "Waitting"},
    {141, "Plotting"},
    {142, "Begin at %fcm"},
    {143, "Incorrect position. Please try again."},
    {144, "Width=%0.4f(M), Length=%0.4f(M)"},
    {145, "Display the task status........................."},
    {146, "Please choose a file before plotting."},
    {147, "The plotter is working. Please waiting for this plotting task finished!"},
    {148, "Don't move the plotting file."},
    {149, "Please choose a file before plotting."},
    {150, "Begin at %.2fcm"},
    {151, "You select the file being printed, please stop printing and re select the file!"},
    {152, "There is already running."},
    {154, "System"},
    {155, "Plotting"},
    {156, "Advanced"},
    {157, "Others"},
    {160, "Task is running. Do you realy want to interrupt the job?"},
    {161, "Data width error."},
    {162, "Nozzle configuration is incorrect."},
    {163, "Stopped  "},
    {164, "Position:%04d:%04d          "},
    {165, "Print"},
    {166, "Origin Point:"},
    {167, "mm"},
    {168, "WinSock Init Fail."},
    {169, "Net"},
    {170, "Done!"},
    {171, "The directory path is too long: at most 99 bytes can be kept."},
    {32771, "Plot The Selected File\nPlot"},
    {32772, "Abort The Plotting Task\nAbort The Task"},
    {32773, "PreView The File."},
    {32776, "Move Up The Selected File\nMove Up"},
    {32777, "Move Down The Selected File\nMove Down"},
    {32784, "Change the Plotter Settings\nCustomize"},
    {32785, "Increase The File Plotted Times\nIncrease Times"},
    {32786, "Decrease The File Plotted Times\nDecrease Times"},
    {32808, "Zoom in the file\nZoom in"},
    {32814, "&Delete The Selected File"},
    {32816, "Preview The Output Of The Plotting File\nPreview Output"},
    {32824, "Change the plotter settings\nChange settings"},
    {32825, "Display All"},
    {32828, "Plot at a special position"},
    {32829, "Origin posation"},
    {57344, "Information"},
    {57345, "Ready"},
    {57600, "New File\nNew"},
    {57601, "Add Files\nAdd Files"},
    {57664, "Display the Version Number\nAbout this software"},
    {57665, "Abort the plotting task;Save the task\nExit"},
    {59143, "Waiting "},
    {59144, "Position:0000:0000          "},
    {59145, "Pause  "},
    {59146, "000%"},
    {59147, "Offline"},
};
static_assert(std::ranges::adjacent_find(kStrings, std::ranges::greater_equal{}, &StringEntry::id) ==
              std::end(kStrings));

}  // namespace

std::span<const StringEntry> EnglishStrings() { return kStrings; }

}  // namespace res
