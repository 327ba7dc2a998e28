#ifndef TESTS_SUPPORT_MESSAGES_H
#define TESTS_SUPPORT_MESSAGES_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "refhost/MessageLog.h"
#include "refhost/Translations.h"

namespace testsupport {

// "error: TEXT" or "warning: TEXT" for every message of the log, in emission order.
std::vector<std::string> LevelTexts(const refhost::MessageLog& log);

// The one message the log holds, which the log then forgets; a test failure (and "<nothing>"
// in its place) unless there was exactly one.
refhost::Emitted TakeOnly(refhost::MessageLog& log);

// Starts and ends without translations and records every message emitted in between.
class MessageTest : public ::testing::Test {
  protected:
    void SetUp() override { refhost::ClearTranslations(); }
    void TearDown() override { refhost::ClearTranslations(); }

    // The one message emitted since the last look.
    refhost::Emitted only() { return TakeOnly(log); }
    // The one message emitted since the last look is shown, has that level and reads text.
    void expect(int level, const std::string& text);

    refhost::MessageLog log;
};

}  // namespace testsupport

#endif
