// Writes every record key over and over until it is killed: the victim of the crash test.
// Usage: crash_writer <records file> <generation>. Each value names its generation and pass,
// so the test can tell an old value from a new one and either from a torn one.
#include "records/records_file.h"
#include "tests/records/crash_values.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int generation = std::atoi(argv[2]);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int pass = 1;; ++pass) {
        for (const testing::CrashKey &k : testing::crashKeys()) {
            if (!records::WriteSetting(file, k.section, k.key,
                                       testing::crashValue(generation, pass)))
                return 1;
        }
    }
}
