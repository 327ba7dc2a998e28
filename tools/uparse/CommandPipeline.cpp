#include "tools/uparse/CommandPipeline.h"

#include <system_error>
#include <utility>

namespace uparse {

namespace {

// A chunk is a millisecond or so of checking: enough that taking one costs nothing beside
// it, few enough that the threads finish together. Big commands make smaller chunks.
constexpr std::size_t kChunkCommands = 32;
constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
// Chunks read ahead per thread, so that a thread finds work while the reader writes.
constexpr std::size_t kChunksPerThread = 4;

}  // namespace

CommandPipeline::CommandPipeline(SyntaxInput& input, Output& output, Check check,
                                 unsigned threads)
    : mInput(input),
      mOutput(output),
      mCheck(std::move(check)),
      mRing(kChunksPerThread * (threads > 0 ? threads : 1)) {
    for (unsigned i = 1; i < threads; ++i) {
        try {
            mHelpers.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;  // fewer threads: the calling thread checks whatever is left
        }
    }
}

CommandPipeline::~CommandPipeline() {
    stop();
}

void CommandPipeline::stop() {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mStopping = true;
    }
    mWorkReady.notify_all();
    for (std::thread& helper : mHelpers) {
        if (helper.joinable()) {
            helper.join();
        }
    }
}

// Fills a free chunk with the next commands; false when the input had none left.
bool CommandPipeline::read(Chunk& chunk) {
    chunk.count = 0;
    chunk.done = false;
    chunk.failure = nullptr;
    std::size_t bytes = 0;
    while (chunk.count < kChunkCommands && bytes < kChunkBytes) {
        if (chunk.count == chunk.commands.size()) {
            chunk.commands.push_back({std::string(), 0});
        }
        refhost::CommandText& command = chunk.commands[chunk.count];
        if (!mInput.next(command)) {
            break;
        }
        bytes += command.text.size();
        ++chunk.count;
    }
    if (chunk.rendered.size() < chunk.count) {
        chunk.rendered.resize(chunk.count);
        chunk.ok.resize(chunk.count);
    }
    return chunk.count > 0;
}

void CommandPipeline::process(Chunk& chunk) const {
    for (std::size_t i = 0; i < chunk.count; ++i) {
        try {
            chunk.ok[i] = mCheck(chunk.commands[i], chunk.rendered[i]) ? 1 : 0;
        } catch (...) {
            chunk.failure = std::current_exception();
            chunk.failedAt = i;
            return;
        }
    }
}

// Writes a checked chunk; false when one of its commands failed.
bool CommandPipeline::emit(Chunk& chunk) {
    const std::size_t written = chunk.failure ? chunk.failedAt : chunk.count;
    bool allOk = true;
    for (std::size_t i = 0; i < written; ++i) {
        mOutput.emit(chunk.rendered[i]);
        allOk = allOk && chunk.ok[i] != 0;
    }
    if (chunk.failure) {
        stop();
        std::rethrow_exception(chunk.failure);
    }
    return allOk;
}

void CommandPipeline::work() {
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        mWorkReady.wait(lock, [this] { return mStopping || mNextClaim < mTail; });
        if (mStopping) {
            return;
        }
        Chunk& chunk = slot(mNextClaim++);
        lock.unlock();
        process(chunk);
        lock.lock();
        chunk.done = true;
        mChunkDone.notify_one();
    }
}

bool CommandPipeline::run() {
    bool allOk = true;
    bool ended = false;
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        // Chunks between mHead and mNextClaim are the reader's alone once done, and so is the
        // free slot at mTail: both are used without the lock.
        if (mHead < mNextClaim && slot(mHead).done) {
            Chunk& chunk = slot(mHead);
            lock.unlock();
            allOk = emit(chunk) && allOk;
            lock.lock();
            ++mHead;
            continue;
        }
        if (!ended && mTail - mHead < mRing.size()) {
            Chunk& chunk = slot(mTail);
            lock.unlock();
            ended = !read(chunk);
            lock.lock();
            if (!ended) {
                ++mTail;
                mWorkReady.notify_one();
            }
            continue;
        }
        if (mNextClaim < mTail) {
            Chunk& chunk = slot(mNextClaim++);
            lock.unlock();
            process(chunk);
            lock.lock();
            chunk.done = true;
            continue;
        }
        if (ended && mHead == mTail) {
            return allOk;
        }
        mChunkDone.wait(lock, [this] { return slot(mHead).done; });
    }
}

}  // namespace uparse
