#pragma once

// Shows the program's message boxes (platform::ShowMessage) as modal Qt
// boxes over the main window. A box raised on another thread, the worker's
// transfer question, is shown on the user-interface thread while that thread
// waits for the answer.
void InstallQtMessageHandler();
