#include "support/Messages.h"

namespace testsupport {

std::vector<std::string> LevelTexts(const refhost::MessageLog& log) {
    std::vector<std::string> texts;
    for (const refhost::Emitted& message : log.messages()) {
        texts.push_back((message.level == 3 ? "error: " : "warning: ") + message.text);
    }
    return texts;
}

refhost::Emitted TakeOnly(refhost::MessageLog& log) {
    const std::vector<refhost::Emitted> emitted = log.messages();
    log.clear();
    EXPECT_EQ(emitted.size(), 1u);
    return emitted.empty() ? refhost::Emitted{0, 0, "<nothing>"} : emitted.front();
}

void MessageTest::expect(int level, const std::string& text) {
    const refhost::Emitted emitted = only();
    EXPECT_EQ(emitted.level, level) << text;
    EXPECT_EQ(emitted.show, 2) << text;
    EXPECT_EQ(emitted.text, text);
}

}  // namespace testsupport
