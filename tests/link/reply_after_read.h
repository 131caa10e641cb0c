#pragma once

#include "core/plotter_status.h"

// While alive, every read of the stored reply on this thread is followed at
// once by the store of reply, as when the other thread's query (the network
// page's address check shares the socket) stores its own reply right after:
// a caller that reads the stored reply a second time gets that one, not the
// reply it had accepted. The test program is linked with PlotterStatus::
// LastReply wrapped, so that the link's own code is seen unchanged.
class ReplyAfterRead {
public:
    explicit ReplyAfterRead(PlotterStatus::Reply reply);
    ~ReplyAfterRead();
    ReplyAfterRead(const ReplyAfterRead&) = delete;
    ReplyAfterRead& operator=(const ReplyAfterRead&) = delete;
};
