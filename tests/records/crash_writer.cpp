// Saves a better record of each level over and over until it is killed: the victim of the
// crash test. Usage: crash_writer <records file> <generation>. Each save carries its
// generation and pass in the name and in the counters, so the test can tell whether the
// keys of one record come from one save.
#include "records/records_file.h"
#include "tests/records/crash_values.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    records::RecordsFile file(QString::fromLocal8Bit(argv[1]));
    const int generation = std::atoi(argv[2]);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int pass = 1;; ++pass) {
        const testing::CrashStamp stamp{generation, pass};
        for (const core::Level level : {core::Level::Normal, core::Level::Hard}) {
            // A save that fails (a lock left by a killed writer still being judged) is
            // simply tried again by the next pass.
            file.save(testing::crashGame(level, stamp), testing::crashName(stamp));
        }
    }
}
