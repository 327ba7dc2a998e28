#ifndef FUZZ_ALLOCATIONCOUNTER_H
#define FUZZ_ALLOCATIONCOUNTER_H

namespace fuzzsupport {

// Counts the heap allocations of this process from its construction on, through the
// sanitizer runtime's allocation hooks. A build without a sanitizer has no hooks and counts
// nothing (available() is false), so a bound on the count is only checked where it is kept.
// Together with the host calls of a run, the count is a measure of work that a noisy machine
// cannot disturb: a check that it grows linearly with the input never flakes.
class AllocationCounter {
  public:
    AllocationCounter();
    long count() const;
    // The bytes asked for: copies of ever longer texts show here even when they allocate
    // once each.
    long bytes() const;
    static bool available();

  private:
    long mStart;
    long mStartBytes;
};

}  // namespace fuzzsupport

#endif
