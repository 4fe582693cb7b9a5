// The shortest solution of boards given as text, and how long finding it took.
//   bench_solve [--plain] [--positions] [--limit SECONDS] < boards
//       reads lines "normal" or "hard" and the tiles standing on the cells, row by row (tile n
//       for the blank, n = 12 or 15; the finished board is 1 2 ... n); prints for each line the
//       length of a shortest solution, a blank and the milliseconds it took ("-" for the
//       length of a board given up at the limit): processor time, which other programs on a
//       busy machine do not stretch as they do the time on the clock. --plain: the plain search
//       instead of the solver. --positions: a third column, the positions the search looked at. On
//       standard error at the end: the memory the solving took.
//   bench_solve --boards normal|hard COUNT SEED
//       prints COUNT boards drawn uniformly from those a shuffle can reach.
#include "core/shuffler.h"
#include "core/solver.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <mutex>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

/* the number after `key` in /proc/self/status, in kB */
long statusKb(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    }
    return -1;
}

std::optional<core::Level> levelNamed(const std::string &name)
{
    if (name == "normal")
        return core::Level::Normal;
    if (name == "hard")
        return core::Level::Hard;
    return std::nullopt;
}

// A line as the tool reads it, or a message saying what is wrong with it.
std::optional<core::Board> parse(const std::string &line, std::string &error)
{
    std::istringstream in(line);
    std::string name;
    in >> name;
    const auto level = levelNamed(name);
    if (!level) {
        error = "a line starts with \"normal\" or \"hard\", not \"" + name + "\"";
        return std::nullopt;
    }
    const int cells = core::gridOf(*level).cells();
    std::vector<int> tiles;
    int tile = 0;
    while (in >> tile)
        tiles.push_back(tile == cells ? 0 : tile); // the last number is the blank
    if (!in.eof() || static_cast<int>(tiles.size()) != cells) {
        error = "expected " + std::to_string(cells) + " tile numbers after \"" + name + "\"";
        return std::nullopt;
    }
    auto board = core::Board::arranged(*level, tiles);
    if (!board) {
        error = "not every tile from 1 to " + std::to_string(cells) + " exactly once";
        return std::nullopt;
    }
    if (!core::isSolvable(*board)) {
        error = "no slides finish this board (two tiles are exchanged)";
        return std::nullopt;
    }
    return board;
}

// Runs `search` with a stop requested after `seconds` (none for 0).
template <typename Search> auto withLimit(double seconds, Search search)
{
    std::stop_source source;
    if (seconds <= 0)
        return search(source.get_token());
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::duration<double>(seconds), [&] { return done; }))
            source.request_stop();
    });
    auto result = search(source.get_token());
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
    return result;
}

// Uniform over the arrangements a shuffle reaches: a uniform permutation, and where its
// parity is the unreachable one, the first two numbered tiles exchanged (a one-to-one map
// between the two halves).
int printBoards(core::Level level, int count, std::uint64_t seed)
{
    core::SeededRandom random(seed);
    const int cells = core::gridOf(level).cells();
    for (int i = 0; i < count; ++i) {
        std::vector<int> tiles(static_cast<std::size_t>(cells));
        std::iota(tiles.begin(), tiles.end(), 0);
        for (int j = cells - 1; j > 0; --j) {
            const auto pick = static_cast<std::size_t>(random.draw() * (j + 1));
            std::swap(tiles[static_cast<std::size_t>(j)], tiles[pick]);
        }
        if (!core::isSolvable(*core::Board::arranged(level, tiles))) {
            std::size_t a = tiles[0] == 0 ? 2 : 0;
            std::size_t b = tiles[1] == 0 ? 2 : 1;
            std::swap(tiles[a], tiles[b]);
        }
        std::cout << (level == core::Level::Normal ? "normal" : "hard");
        for (const int tile : tiles)
            std::cout << ' ' << (tile == 0 ? cells : tile);
        std::cout << '\n';
    }
    return 0;
}

int usage()
{
    std::cerr << "usage: bench_solve [--plain] [--positions] [--limit SECONDS] < boards\n"
                 "       bench_solve --boards normal|hard COUNT SEED\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--boards") {
        const auto level = args.size() == 4 ? levelNamed(args[1]) : std::nullopt;
        if (!level)
            return usage();
        return printBoards(*level, std::stoi(args[2]), std::stoull(args[3]));
    }
    bool plain = false;
    bool positions = false;
    double limit = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--plain")
            plain = true;
        else if (args[i] == "--positions")
            positions = true;
        else if (args[i] == "--limit" && i + 1 < args.size())
            limit = std::stod(args[++i]);
        else
            return usage();
    }

    const long residentBefore = statusKb("VmRSS");
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::string error;
        const auto board = parse(line, error);
        if (!board) {
            std::cerr << "standard input, line " << lineNumber << ": " << error << '\n';
            return 1;
        }
        const std::clock_t start = std::clock();
        std::uint64_t searched = 0;
        const std::optional<int> length = withLimit(limit, [&](std::stop_token stop) {
            if (plain)
                return core::plainShortestLength(*board, stop);
            const auto solution = core::solveShortest(*board, stop);
            searched = solution ? solution->positionsSearched : 0;
            return solution ? std::optional<int>(solution->length()) : std::nullopt;
        });
        const double took = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.3f", took);
        std::cout << (length ? std::to_string(*length) : std::string("-")) << ' ' << ms;
        if (positions)
            std::cout << ' ' << searched;
        std::cout << std::endl;
    }
    std::cerr << "memory: " << residentBefore << " kB resident before the first board, at most "
              << statusKb("VmHWM") << " kB\n";
    return 0;
}
