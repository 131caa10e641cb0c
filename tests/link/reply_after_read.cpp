#include "tests/link/reply_after_read.h"

#include <optional>

namespace {

thread_local std::optional<PlotterStatus::Reply> t_replyAfterRead;

}  // namespace

// PlotterStatus::LastReply, and what the linker puts in its place.
extern "C" PlotterStatus::Reply __real__ZNK13PlotterStatus9LastReplyEv(const PlotterStatus* status);

extern "C" PlotterStatus::Reply __wrap__ZNK13PlotterStatus9LastReplyEv(const PlotterStatus* status) {
    const PlotterStatus::Reply reply = __real__ZNK13PlotterStatus9LastReplyEv(status);
    if (t_replyAfterRead) g_plotterStatus.SetLastReply(t_replyAfterRead->code, t_replyAfterRead->value);
    return reply;
}

ReplyAfterRead::ReplyAfterRead(PlotterStatus::Reply reply) { t_replyAfterRead = reply; }

ReplyAfterRead::~ReplyAfterRead() { t_replyAfterRead.reset(); }
