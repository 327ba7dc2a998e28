// What the first touch of fresh memory costs on this machine: maps 256 MiB, writes one byte
// per 4 KiB page, unmaps, three times. The parse benchmarks under the default heap pay this
// for every page of their result; the figure tells how much of them is the machine.
#include <sys/mman.h>

#include <chrono>
#include <cstddef>
#include <cstdio>

int main() {
    constexpr std::size_t kBytes = std::size_t{256} << 20;
    constexpr std::size_t kPage = 4096;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        void* mapped = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                            -1, 0);
        if (mapped == MAP_FAILED) {
            std::perror("mmap");
            return 1;
        }
        volatile char* bytes = static_cast<char*>(mapped);
        for (std::size_t i = 0; i < kBytes; i += kPage) {
            bytes[i] = 1;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        munmap(mapped, kBytes);
        std::printf("first touch: %.2f us per 4 KiB page (%.2f ns per byte)\n",
                    seconds / (kBytes / kPage) * 1e6, seconds / kBytes * 1e9);
    }
    return 0;
}
