#pragma once

// One element of the command route: the active pane (job list or preview),
// then the main frame, then the application. A command goes to the first
// element that handles it; a command that no element on the route handles is
// shown disabled.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool HandlesCommand(unsigned id) const = 0;
    // Carries the command out; called only when HandlesCommand(id).
    virtual void OnCommand(unsigned id) = 0;
};
