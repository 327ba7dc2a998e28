#ifndef TOOLS_UPARSE_COMMANDPIPELINE_H
#define TOOLS_UPARSE_COMMANDPIPELINE_H

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "refhost/CommandSplitter.h"
#include "tools/uparse/Output.h"
#include "tools/uparse/SyntaxInput.h"

namespace uparse {

// Checks the commands of an input on several threads and writes their outputs in the order
// of the commands, exactly as checking them one by one would.
//
// Every thread, the calling one among them, does whatever is most urgent when it is free:
// writing the oldest chunk of commands once it is checked, reading the next chunk while fewer
// than a few per thread wait, or checking a chunk. One thread at a time reads and one writes,
// so the input and the output need no locks of their own, and no thread waits while there is
// a chunk to read or to check, whichever thread the system happens to run.
class CommandPipeline {
  public:
    // Checks one command and renders its output; true when the command passed. It runs on
    // several threads at once.
    using Check = std::function<bool(refhost::CommandText&, Output::Rendered&)>;

    // threads counts the calling thread; at least 1.
    CommandPipeline(SyntaxInput& input, Output& output, Check check, unsigned threads);
    ~CommandPipeline();
    CommandPipeline(const CommandPipeline&) = delete;
    CommandPipeline& operator=(const CommandPipeline&) = delete;

    // Checks and writes every command of the input; false when one of them failed. An
    // exception of a check comes out here, after the outputs of the commands before it, on
    // the calling thread.
    bool run();

  private:
    struct Chunk {
        std::vector<refhost::CommandText> commands;  // the first count are this chunk's
        std::size_t count = 0;
        std::vector<Output::Rendered> rendered;
        std::vector<char> ok;
        bool done = false;
        std::exception_ptr failure;  // thrown by the check of command failedAt
        std::size_t failedAt = 0;
    };

    Chunk& slot(std::size_t index) { return mRing[index % mRing.size()]; }
    bool read(Chunk& chunk);
    void process(Chunk& chunk) const;
    void emit(Chunk& chunk);
    void work();
    // Keeps the first failure and stops every thread; called with the lock held.
    void fail(std::exception_ptr failure);
    void stop();

    SyntaxInput& mInput;
    Output& mOutput;
    Check mCheck;
    std::vector<Chunk> mRing;
    unsigned mThreads;
    std::vector<std::thread> mHelpers;

    std::mutex mMutex;
    std::condition_variable mChanged;  // a chunk read, checked or written, or the end
    // Chunks by their number in the input: [mHead, mTail) are read and not yet written;
    // [mNextClaim, mTail) of them wait to be checked.
    std::size_t mHead = 0;
    std::size_t mNextClaim = 0;
    std::size_t mTail = 0;
    bool mReading = false;   // a thread reads the chunk at mTail
    bool mWriting = false;   // a thread writes the chunk at mHead
    bool mEnded = false;     // the input has no more commands
    bool mStopping = false;  // the destructor, or a check that threw, ends the work
    bool mAllOk = true;
    // The first exception: a check's, in the commands' order, or one of reading or writing.
    std::exception_ptr mFailure;
};

}  // namespace uparse

#endif
