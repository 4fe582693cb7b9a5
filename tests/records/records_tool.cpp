// Runs the records file layer in a process of its own, for the tests that need a second copy
// of the game or another user:
//   records_tool save <file> <normal|hard> <clicks> <seconds> <name>
//   records_tool program-save <program dir> <normal|hard> <clicks> <seconds> <name>
//   records_tool program-read <program dir>    prints the Normal records, one field a line
//   records_tool where <program dir>           prints where its records are kept
//   records_tool hold <file>                   takes the save lock, says "locked", waits
//   records_tool duel <file> <normal|hard> <clicks> <seconds> <name>
// "save" says "saved" (exit 0) or the message for the player (exit 1). "duel" is a finished
// game with its dialog open: it says "decided yes" when the game beats a record (the name
// prompt shows) or "decided no", waits for a line on its input (the player pressing
// "Close"), then saves as "save" does.
#include "platform/user_folders.h"
#include "records/records_file.h"
#include "records/records_store.h"

#include <QString>

#include <cstdio>
#include <iostream>
#include <string>

namespace
{

session::GameResult gameOf(char **argv)
{
    const bool hard = QString::fromLocal8Bit(argv[0]) == QLatin1String("hard");
    return {hard ? core::Level::Hard : core::Level::Normal, std::atoi(argv[2]), std::atoi(argv[1])};
}

int report(const records::SaveOutcome &outcome)
{
    std::cout << (outcome.saved ? std::string("saved") : outcome.message.toStdString())
              << std::endl;
    return outcome.saved ? 0 : 1;
}

} // namespace

// The records file beside the executable of the game in programDir.
static QString installedOf(const QString &programDir)
{
    return programDir + QStringLiteral("/Config/Kelset.dll");
}

static records::RecordsFile programRecords(const QString &programDir)
{
    return records::RecordsFile::forInstalled(
        installedOf(programDir), {platform::UserFolders::fromEnvironment().gameData(), {}});
}

int main(int argc, char **argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString target = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (command == QLatin1String("save") && argc == 7)
        return report(
            records::RecordsFile(target).save(gameOf(argv + 3), QString::fromLocal8Bit(argv[6])));
    if (command == QLatin1String("program-save") && argc == 7)
        return report(
            programRecords(target).save(gameOf(argv + 3), QString::fromLocal8Bit(argv[6])));
    if (command == QLatin1String("program-read") && argc == 3) {
        const records::LevelRecords normal = programRecords(target).read().normal;
        for (const QString &field :
             {normal.fewestClicks.name, normal.fewestClicks.clicks, normal.fewestClicks.seconds,
              normal.shortestTime.name, normal.shortestTime.clicks, normal.shortestTime.seconds})
            std::cout << field.toStdString() << '\n';
        return 0;
    }
    if (command == QLatin1String("where") && argc == 3) {
        std::cout << programRecords(target).path().toStdString() << std::endl;
        return 0;
    }
    if (command == QLatin1String("hold") && argc == 3) {
        const records::store::Result held =
            records::store::edit({target, {}, false}, [](records::profile::Document &) {
                std::cout << "locked" << std::endl;
                std::string line;
                std::getline(std::cin, line);
                return false;
            });
        return held.ok ? 0 : 1;
    }
    if (command == QLatin1String("duel") && argc == 7) {
        records::RecordsFile records(target);
        const session::GameResult game = gameOf(argv + 3);
        std::cout << "decided " << (records.beats(game).any() ? "yes" : "no") << std::endl;
        std::string close;
        std::getline(std::cin, close);
        return report(records.save(game, QString::fromLocal8Bit(argv[6])));
    }
    std::cerr << "usage: see the first lines of records_tool.cpp" << std::endl;
    return 2;
}
