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
// The calling thread reads the input a chunk of commands at a time, keeping a few chunks
// ahead, writes finished chunks in their order, and checks chunks itself in between; the
// other threads only check. No thread waits while a chunk is there to be checked, and no
// chunk waits for a batch around it to finish.
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
    // exception of a check comes out here, after the outputs of the commands before it.
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
    bool emit(Chunk& chunk);
    void work();
    void stop();

    SyntaxInput& mInput;
    Output& mOutput;
    Check mCheck;
    std::vector<Chunk> mRing;
    std::vector<std::thread> mHelpers;

    std::mutex mMutex;
    std::condition_variable mWorkReady;  // a chunk to check, or the end
    std::condition_variable mChunkDone;
    // Chunks by their number in the input: [mHead, mTail) are read and not yet written;
    // [mNextClaim, mTail) of them wait to be checked.
    std::size_t mHead = 0;
    std::size_t mNextClaim = 0;
    std::size_t mTail = 0;
    bool mStopping = false;
};

}  // namespace uparse

#endif
