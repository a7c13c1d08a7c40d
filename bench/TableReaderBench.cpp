// The table reader on one large pipe table: load and a keyed filter, as
// `mawk -F'|' '$1=="090" && $2=="C"'` does, beside a plain mmap and memchr count
// of the lines, the fastest a scan of the file can be.
#include "catalogue/TxtTable.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file tools/bench wrote; the benchmarks skip without it.
const char* TablePath() {
    return std::getenv("PELMORA_BENCH_TABLE");
}

void LoadAndFilter(benchmark::State& state) {
    const char* path = TablePath();
    if (!path)
        return state.SkipWithError("PELMORA_BENCH_TABLE is not set");
    size_t bytes = 0;
    for (auto _ : state) {
        const pelmora::TTxtTable table = pelmora::TTxtTable::ForLookupsOrThrow(path);
        int matches = 0;
        for (int row = 1; row < table.RowCount(); ++row) {
            if (table.FieldView(row, 1) == "090" && table.FieldView(row, 2) == "C")
                ++matches;
        }
        benchmark::DoNotOptimize(matches);
        struct stat info {};
        ::stat(path, &info);
        bytes += static_cast<size_t>(info.st_size);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(LoadAndFilter)->Unit(benchmark::kMillisecond)->MinTime(2);

void MmapMemchrScan(benchmark::State& state) {
    const char* path = TablePath();
    if (!path)
        return state.SkipWithError("PELMORA_BENCH_TABLE is not set");
    size_t bytes = 0;
    for (auto _ : state) {
        const int fd = ::open(path, O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        const auto size = static_cast<size_t>(info.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        const char* at = static_cast<const char*>(map);
        const char* const end = at + size;
        size_t lines = 0;
        while (const void* found = std::memchr(at, '\n', static_cast<size_t>(end - at))) {
            ++lines;
            at = static_cast<const char*>(found) + 1;
        }
        benchmark::DoNotOptimize(lines);
        ::munmap(map, size);
        ::close(fd);
        bytes += size;
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(MmapMemchrScan)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
