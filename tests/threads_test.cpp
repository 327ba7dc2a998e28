// Threads: every object belongs to one thread, while a const grammar and a const dictionary
// are shared by all. Four threads parse and validate side by side, each with its own message
// log; the ThreadSanitizer build runs this program too.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "refhost/Dictionary.h"
#include "refhost/MessageLog.h"
#include "refhost/TextTokenSequence.h"
#include "refhost/Translations.h"
#include "support/TestDictionary.h"
#include "support/TestGrammars.h"
#include "support/Tokens.h"
#include "uparser/UniversalParser.h"
#include "uparser/VarSpecObj.h"

namespace {

using namespace UPSpecTypes;

// Holds each thread until all have arrived, so that their logs and their work overlap.
class Barrier {
  public:
    explicit Barrier(int count) : mThreads(count), mCount(count) {}
    void arriveAndWait() {
        std::unique_lock<std::mutex> lock(mMutex);
        const int round = mRound;
        if (--mCount == 0) {
            mCount = mThreads;
            ++mRound;
            mCondition.notify_all();
            return;
        }
        mCondition.wait(lock, [&] { return mRound != round; });
    }

  private:
    std::mutex mMutex;
    std::condition_variable mCondition;
    const int mThreads;
    int mCount;
    int mRound = 0;
};

// What one thread saw; compared once the threads are joined.
struct ThreadReport {
    int parsed = 0;
    int validated = 0;
    int converted = 0;
    int translated = 0;
    std::vector<std::string> foreign;  // messages that name another thread
    std::size_t messages = 0;
};

void Work(int id, const CommandDescriptor& grammar, const TAVO_DataSource& dict, int rounds,
          Barrier& barrier, ThreadReport& report) {
    const std::string own = "OWN" + std::to_string(id);
    refhost::MessageLog log;
    barrier.arriveAndWait();
    for (int round = 0; round < rounds; ++round) {
        refhost::TextTokenSequence good("COUNTVALUES v1 v2 /FORMAT LIMIT=5 /TABLE TITLE='t" +
                                        std::to_string(id) + "' /ORDER");
        CommandSpec spec;
        if (UniversalParser(good, spec, grammar).getCommandSpecifications() == ParseCodes::Parsed &&
            spec.getSubComListSize() == 4) {
            ++report.parsed;
        }
        refhost::TextTokenSequence bad("COUNTVALUES v1 /" + own);
        CommandSpec failed;
        UniversalParser(bad, failed, grammar).getCommandSpecifications();

        VarSpecObj list("VARS", own, "COUNTVALUES", &dict);
        if (list.ValidateVariables(TokensOf("id TO v4 name"), RepeatVarsError) &&
            list.GetNValidVars() == 11) {
            ++report.validated;
        }
        VarSpecObj unknown("VARS", own, "COUNTVALUES", &dict);
        unknown.ValidateVariables(TokensOf("nosuch"), RepeatVarsError);

        // The host's value conversion, through a category value.
        VarSpecObj income("VARS", own, "COUNTVALUES", &dict);
        OBS* cell = nullptr;
        TAVO_Format format{};
        if (income.SetVariable(testsupport::vars::kIncome) &&
            income.ValidateCatValue("12.5", cell, format) && cell->f == 12.5) {
            ++report.converted;
        }
        VarSpecObj::ReleaseOBS(cell);
    }
    barrier.arriveAndWait();
    for (const refhost::Emitted& message : log.messages()) {
        if (message.text.find(own) == std::string::npos) {
            report.foreign.push_back(message.text);
        }
        if (message.text == "Unknown subcommand " + own + "...") {
            ++report.translated;
        }
    }
    report.messages = log.messages().size();
}

TEST(Threads, FourThreadsShareOneGrammarAndOneDictionary) {
    const CommandDescriptor grammar = testsupport::CountValues();
    const refhost::Dictionary dict = testsupport::TestDictionary();
    // Every thread's messages go through the one string table.
    refhost::SetTranslation("", "^1 is not a valid subcommand name...", "Unknown subcommand ^1...");
    constexpr int kThreads = 4;
    constexpr int kRounds = 200;
    std::vector<ThreadReport> reports(kThreads);
    Barrier barrier(kThreads);
    {
        std::vector<std::thread> threads;
        for (int id = 0; id < kThreads; ++id) {
            threads.emplace_back(Work, id, std::cref(grammar), std::cref(dict), kRounds,
                                 std::ref(barrier), std::ref(reports[static_cast<std::size_t>(id)]));
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    refhost::ClearTranslations();
    for (const ThreadReport& report : reports) {
        EXPECT_EQ(report.parsed, kRounds);
        EXPECT_EQ(report.validated, kRounds);
        EXPECT_EQ(report.converted, kRounds);
        EXPECT_EQ(report.translated, kRounds);
        // Each round reports one unknown subcommand and one unknown variable, both named
        // after the thread, into that thread's log alone.
        EXPECT_EQ(report.messages, 2u * kRounds);
        EXPECT_THAT(report.foreign, ::testing::IsEmpty());
    }
}

}  // namespace
