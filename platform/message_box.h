#pragma once

#include <functional>
#include <string>

// Message boxes for code that knows no window toolkit (engine, link). The
// front end installs a handler that shows a real modal box; tests install one
// that records what was shown and answers as scripted.
namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Exclamation, Error, Question };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

using MessageHandler = std::function<MessageAnswer(const MessageRequest&)>;

// Installs handler for every later message; an empty handler restores the
// default, which writes the message to standard error and answers OK to an
// OK box and No to a question. Returns the handler it replaced.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows the message through the installed handler (from any thread) and
// returns the answer. The call blocks for as long as the handler does.
MessageAnswer ShowMessage(const MessageRequest& request);

}  // namespace platform
