#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

// Records every message shown while it lives and answers each as scripted
// (OK, or the given answer to a question).
class MessageRecorder {
public:
    explicit MessageRecorder(platform::MessageAnswer questionAnswer = platform::MessageAnswer::No)
        : previous_(platform::SetMessageHandler([this, questionAnswer](const platform::MessageRequest& request) {
              shown.push_back(request);
              return request.buttons == platform::MessageButtons::YesNo ? questionAnswer
                                                                         : platform::MessageAnswer::Ok;
          })) {}
    ~MessageRecorder() { platform::SetMessageHandler(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& request : shown) texts.push_back(request.text);
        return texts;
    }

    std::vector<platform::MessageRequest> shown;

private:
    platform::MessageHandler previous_;
};
