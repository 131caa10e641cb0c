#include <gtest/gtest.h>

#include <vector>

#include "platform/message_box.h"

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageRequest;

TEST(MessageBox, DefaultAnswersOkOrNo) {
    platform::SetMessageHandler({});
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::ShowMessage({"Data width error.", "Information", MessageButtons::Ok}), MessageAnswer::Ok);
    EXPECT_EQ(platform::ShowMessage({"Retry?", "Information", MessageButtons::YesNo}), MessageAnswer::No);
    const auto printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("Data width error."), std::string::npos);
}

TEST(MessageBox, InstalledHandlerSeesEveryMessageAndAnswers) {
    std::vector<MessageRequest> shown;
    auto previous = platform::SetMessageHandler([&](const MessageRequest& request) {
        shown.push_back(request);
        return MessageAnswer::Yes;
    });
    EXPECT_EQ(platform::ShowMessage({"Go on?", "Notice", MessageButtons::YesNo, platform::MessageIcon::Question}),
              MessageAnswer::Yes);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Go on?");
    EXPECT_EQ(shown[0].caption, "Notice");
    EXPECT_EQ(shown[0].icon, platform::MessageIcon::Question);
    platform::SetMessageHandler(previous);
}

}  // namespace
