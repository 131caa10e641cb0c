#include "sim/request_record.h"

namespace sim {

const char* FateName(ReplyFate fate) {
    switch (fate) {
        case ReplyFate::Sent: return "sent";
        case ReplyFate::SentLate: return "sent late";
        case ReplyFate::Dropped: return "dropped";
        case ReplyFate::BadCheck: return "sent with a bad check";
        case ReplyFate::Oversized: return "sent as 17 bytes";
        case ReplyFate::Silent: return "silent";
        case ReplyFate::Unanswered: return "unanswered";
        case ReplyFate::Invalid: return "invalid request";
    }
    return "?";
}

}  // namespace sim
