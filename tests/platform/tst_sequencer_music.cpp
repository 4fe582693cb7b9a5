// The music player's rules over a sound back end: one tune open at a time, every play from
// the start, a missing or foreign file only silence; and the sequences each occasion of the
// game runs.
#include "platform/sequencer_music.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using platform::MusicOutput;
using platform::SequencerMusic;
using platform::Tune;

namespace
{

// Writes down what the player asked of the sound.
class RecordingOutput final : public MusicOutput
{
public:
    explicit RecordingOutput(QStringList &log) : m_log(log) {}
    void load(const QString &path) override { m_log << QStringLiteral("load ") + path; }
    void playFromStart() override { m_log << QStringLiteral("play from start"); }
    void stop() override { m_log << QStringLiteral("stop"); }
    void unload() override { m_log << QStringLiteral("unload"); }

private:
    QStringList &m_log;
};

// The smallest file that reads as MIDI: a header and one empty track.
void writeMidi(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromHex("4d546864000000060000000101e0"
                                "4d54726b0000000400ff2f00"));
}

void run(SequencerMusic &music, const QStringList &calls)
{
    for (const QString &call : calls) {
        if (call == QLatin1String("open menu"))
            music.open(Tune::Menu);
        else if (call == QLatin1String("open game"))
            music.open(Tune::Game);
        else if (call == QLatin1String("play"))
            music.playFromStart();
        else if (call == QLatin1String("stop"))
            music.stop();
        else if (call == QLatin1String("close"))
            music.close();
        else
            QFAIL(qPrintable(QStringLiteral("no such call: ") + call));
    }
}

} // namespace

class TestSequencerMusic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rules_data();
    void rules();
    void gameSequences();
    void withoutSoundTheRulesStillHold();

private:
    QTemporaryDir m_dir;
};

void TestSequencerMusic::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("My Games/Zantho Puzzle")));
    writeMidi(m_dir.filePath(QStringLiteral("ZnIntro.mus")));
    writeMidi(m_dir.filePath(QStringLiteral("My Games/Zantho Puzzle/Zn Game.mus")));
    QFile text(m_dir.filePath(QStringLiteral("notes.mus")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("these are not MIDI notes\n");
}

// Each row: the game tune's file, the calls, and what must reach the sound.
void TestSequencerMusic::rules_data()
{
    QTest::addColumn<QString>("gameTune");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("sound");

    const QString game = QStringLiteral("My Games/Zantho Puzzle/Zn Game.mus");
    QTest::newRow("open and play the menu tune")
        << game << QStringList{"open menu", "play"}
        << QStringList{"load ZnIntro.mus", "play from start"};
    QTest::newRow("a second open changes nothing and the first tune plays on")
        << game << QStringList{"open menu", "play", "open game", "play"}
        << QStringList{"load ZnIntro.mus", "play from start", "play from start"};
    QTest::newRow("stop, close and play with nothing open do nothing")
        << game << QStringList{"stop", "close", "play"} << QStringList{};
    QTest::newRow("play after stop starts from the beginning again, path with spaces")
        << game << QStringList{"open game", "play", "stop", "play"}
        << QStringList{"load " + game, "play from start", "stop", "play from start"};
    QTest::newRow("stop keeps the tune open, close ends it")
        << game << QStringList{"open game", "stop", "close", "play", "close"}
        << QStringList{"load " + game, "stop", "unload"};
    QTest::newRow("after close another tune can be opened")
        << game << QStringList{"open menu", "close", "open game", "play"}
        << QStringList{"load ZnIntro.mus", "unload", "load " + game, "play from start"};
    QTest::newRow("a missing file is silence and leaves nothing open")
        << "Missing.mus" << QStringList{"open game", "play", "open menu"}
        << QStringList{"load ZnIntro.mus"};
    QTest::newRow("a file that is not MIDI is not opened")
        << "notes.mus" << QStringList{"open game", "play"} << QStringList{};
    QTest::newRow("a folder is not a tune")
        << "My Games" << QStringList{"open game", "stop"} << QStringList{};
}

void TestSequencerMusic::rules()
{
    QFETCH(QString, gameTune);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, sound);

    QStringList log;
    SequencerMusic music(m_dir.filePath(QStringLiteral("ZnIntro.mus")), m_dir.filePath(gameTune),
                         std::make_unique<RecordingOutput>(log));
    run(music, calls);
    log.replaceInStrings(m_dir.path() + u'/', QString());
    QCOMPARE(log, sound);
}

// The sequences the game runs send exactly what each occasion needs, in order; the back
// button's menu window finds the tune open and only starts the menu tune again.
void TestSequencerMusic::gameSequences()
{
    QStringList log;
    SequencerMusic music(m_dir.filePath(QStringLiteral("ZnIntro.mus")),
                         m_dir.filePath(QStringLiteral("My Games/Zantho Puzzle/Zn Game.mus")),
                         std::make_unique<RecordingOutput>(log));

    platform::startTune(music, Tune::Menu);  // the menu opens
    platform::switchTune(music, Tune::Game); // Play
    platform::restartTune(music);            // 409 seconds later
    platform::switchTune(music, Tune::Menu); // back to the menu
    platform::startTune(music, Tune::Menu);  // ... whose window loads
    platform::stopAndClose(music);           // Exit
    platform::stopAndClose(music);           // the records window's Close

    log.replaceInStrings(m_dir.path() + u'/', QString());
    const QStringList expected = {
        "load ZnIntro.mus",
        "play from start", // menu
        "stop",
        "unload",
        "load My Games/Zantho Puzzle/Zn Game.mus",
        "play from start", // Play
        "stop",
        "play from start", // repeat
        "stop",
        "unload",
        "load ZnIntro.mus",
        "play from start", // back
        "play from start", // menu load: the open changes nothing
        "stop",
        "unload", // Exit; Close finds nothing
    };
    QCOMPARE(log, expected);
    QVERIFY(!music.openTune());
}

// With no sound at all the player still keeps which tune is open and whether it plays.
void TestSequencerMusic::withoutSoundTheRulesStillHold()
{
    SequencerMusic music(m_dir.filePath(QStringLiteral("ZnIntro.mus")),
                         m_dir.filePath(QStringLiteral("Missing.mus")), nullptr);
    music.open(Tune::Game);
    QVERIFY(!music.openTune());
    platform::startTune(music, Tune::Menu);
    QCOMPARE(music.openTune(), std::optional<Tune>(Tune::Menu));
    QVERIFY(music.isPlaying());
    music.stop();
    QVERIFY(!music.isPlaying());
    music.close();
    QVERIFY(!music.openTune());
}

QTEST_GUILESS_MAIN(TestSequencerMusic)
#include "tst_sequencer_music.moc"
