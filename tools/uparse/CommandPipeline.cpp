#include "tools/uparse/CommandPipeline.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace uparse {

namespace {

// A chunk is a millisecond or so of checking: enough that taking one costs nothing beside
// it, few enough that the threads finish together. Big commands make smaller chunks.
constexpr std::size_t kChunkCommands = 32;
constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
// Chunks read ahead per thread: enough that the others find work while one thread reads or
// writes, or is not running at all on a busy machine.
constexpr std::size_t kChunksPerThread = 8;

// Reading and writing run on any thread, and an exception must not leave a helper thread
// (that would end the program): it is kept and raised by run(), like a failed check.
template <typename Step>
std::exception_ptr Unlocked(Step step) {
    try {
        step();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

}  // namespace

CommandPipeline::CommandPipeline(SyntaxInput& input, Output& output, Check check,
                                 unsigned threads)
    : mInput(input),
      mOutput(output),
      mCheck(std::move(check)),
      mRing(kChunksPerThread * std::max(threads, 1u)),
      mThreads(std::max(threads, 1u)) {}

CommandPipeline::~CommandPipeline() {
    stop();
}

void CommandPipeline::stop() {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mStopping = true;
    }
    mChanged.notify_all();
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

// Writes a checked chunk, up to the command whose check threw, if one did.
void CommandPipeline::emit(Chunk& chunk) {
    const std::size_t written = chunk.failure ? chunk.failedAt : chunk.count;
    for (std::size_t i = 0; i < written; ++i) {
        mOutput.emit(chunk.rendered[i]);
        mAllOk = mAllOk && chunk.ok[i] != 0;
    }
}

void CommandPipeline::fail(std::exception_ptr failure) {
    if (failure) {
        if (!mFailure) {
            mFailure = std::move(failure);
        }
        mStopping = true;
    }
}

void CommandPipeline::work() {
    std::unique_lock<std::mutex> lock(mMutex);
    while (!mStopping) {
        // The chunk at mHead once checked, and the free slot at mTail, belong to the thread
        // that took them: both are used without the lock.
        if (!mWriting && mHead < mNextClaim && slot(mHead).done) {
            mWriting = true;
            Chunk& chunk = slot(mHead);
            lock.unlock();
            const std::exception_ptr failed = Unlocked([&] { emit(chunk); });
            lock.lock();
            mWriting = false;
            fail(failed ? failed : chunk.failure);
            ++mHead;
        } else if (!mReading && !mEnded && mTail - mHead < mRing.size()) {
            mReading = true;
            Chunk& chunk = slot(mTail);
            lock.unlock();
            bool more = false;
            const std::exception_ptr failed = Unlocked([&] { more = read(chunk); });
            lock.lock();
            mReading = false;
            fail(failed);
            if (more) {
                ++mTail;
            } else {
                mEnded = true;
            }
        } else if (mNextClaim < mTail) {
            Chunk& chunk = slot(mNextClaim++);
            lock.unlock();
            process(chunk);
            lock.lock();
            chunk.done = true;
        } else if (mEnded && mHead == mTail && !mWriting) {
            break;
        } else {
            mChanged.wait(lock);
            continue;
        }
        mChanged.notify_all();
    }
    mChanged.notify_all();
}

bool CommandPipeline::run() {
    for (unsigned i = 1; i < mThreads; ++i) {
        try {
            mHelpers.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;  // fewer threads: those there are do the rest
        }
    }
    work();
    stop();
    if (mFailure) {
        std::rethrow_exception(mFailure);
    }
    return mAllOk;
}

}  // namespace uparse
