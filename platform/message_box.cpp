#include "platform/message_box.h"

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

MessageAnswer AnswerOnStandardError(const MessageRequest& request) {
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

std::mutex g_handlerMutex;
MessageHandler g_handler;

}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    std::swap(g_handler, handler);
    return handler;
}

MessageAnswer ShowMessage(const MessageRequest& request) {
    MessageHandler handler;
    {
        std::lock_guard lock(g_handlerMutex);
        handler = g_handler;
    }
    // The handler runs outside the lock: a modal box may wait for the
    // operator for a long time while another thread raises its own message.
    return handler ? handler(request) : AnswerOnStandardError(request);
}

}  // namespace platform
