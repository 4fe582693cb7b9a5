// The rules of the music commands, with a double in place of the synthesiser.
#include "platform/music.h"
#include "platform/music_commands.h"
#include "platform/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using platform::MusicCommands;
using platform::MusicOutput;

namespace
{

// Writes down what the interpreter asked of the sound.
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

} // namespace

class TestMusicCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sequences_data();
    void sequences();
    void pathWithSpaces();
    void gameSequencesThroughTheOneDoor();

private:
    QTemporaryDir m_dir;
    QString m_menu, m_game, m_spaced;
};

void TestMusicCommands::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_menu = m_dir.filePath(QStringLiteral("ZnIntro.mus"));
    m_game = m_dir.filePath(QStringLiteral("ZnGame.mus"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("My Games/Zantho Puzzle")));
    m_spaced = m_dir.filePath(QStringLiteral("My Games/Zantho Puzzle/Zn Game.mus"));
    writeMidi(m_menu);
    writeMidi(m_game);
    writeMidi(m_spaced);
    QFile text(m_dir.filePath(QStringLiteral("notes.mus")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("these are not MIDI notes\n");
}

// Each row: commands ("open:<name>" stands for the open command of that file), the results
// they must give, and what must reach the sound.
void TestMusicCommands::sequences_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<QStringList>("sound");

    using L = QList<int>;
    QTest::newRow("open and play the menu music")
        << QStringList{"open:ZnIntro.mus", "PLAY INTRO FROM 0"} << L{0, 0}
        << QStringList{"load ZnIntro.mus", "play from start"};
    QTest::newRow("a second open fails and leaves the first music playing")
        << QStringList{"open:ZnIntro.mus", "PLAY INTRO FROM 0", "open:ZnGame.mus",
                       "PLAY INTRO FROM 0"}
        << L{0, 0, platform::MusicAliasInUse, 0}
        << QStringList{"load ZnIntro.mus", "play from start", "play from start"};
    QTest::newRow("stop and close with nothing open fail without effect")
        << QStringList{"STOP INTRO", "CLOSE INTRO", "PLAY INTRO FROM 0"}
        << L{platform::MusicAliasNotOpen, platform::MusicAliasNotOpen, platform::MusicAliasNotOpen}
        << QStringList{};
    QTest::newRow("play after stop starts from the beginning again")
        << QStringList{"open:ZnGame.mus", "PLAY INTRO FROM 0", "STOP INTRO", "PLAY INTRO FROM 0"}
        << L{0, 0, 0, 0}
        << QStringList{"load ZnGame.mus", "play from start", "stop", "play from start"};
    QTest::newRow("stop keeps the music open, close ends it")
        << QStringList{"open:ZnGame.mus", "STOP INTRO", "CLOSE INTRO", "PLAY INTRO FROM 0",
                       "CLOSE INTRO"}
        << L{0, 0, 0, platform::MusicAliasNotOpen, platform::MusicAliasNotOpen}
        << QStringList{"load ZnGame.mus", "stop", "unload"};
    QTest::newRow("after close another file can be opened")
        << QStringList{"open:ZnIntro.mus", "CLOSE INTRO", "open:ZnGame.mus", "PLAY INTRO FROM 0"}
        << L{0, 0, 0, 0}
        << QStringList{"load ZnIntro.mus", "unload", "load ZnGame.mus", "play from start"};
    QTest::newRow("a missing file means silence and no open alias")
        << QStringList{"open:Missing.mus", "PLAY INTRO FROM 0", "open:ZnIntro.mus"}
        << L{platform::MusicFileUnreadable, platform::MusicAliasNotOpen, 0}
        << QStringList{"load ZnIntro.mus"};
    QTest::newRow("a file that is not MIDI is not opened")
        << QStringList{"open:notes.mus", "PLAY INTRO FROM 0"}
        << L{platform::MusicFileUnreadable, platform::MusicAliasNotOpen} << QStringList{};
    QTest::newRow("a folder is not a tune")
        << QStringList{"open:", "STOP INTRO"}
        << L{platform::MusicFileUnreadable, platform::MusicAliasNotOpen} << QStringList{};
    QTest::newRow("unknown commands fail and change nothing")
        << QStringList{"open:ZnIntro.mus",
                       "PAUSE INTRO",
                       "PLAY INTRO",
                       "PLAY INTRO FROM 10",
                       "SEEK INTRO TO START",
                       "",
                       "OPEN ZnIntro.mus TYPE WAVEAUDIO ALIAS INTRO",
                       "CLOSE"}
        << L{0, 1, 1, 1, 1, 1, 1, 1} << QStringList{"load ZnIntro.mus"};
    QTest::newRow("another alias is not open")
        << QStringList{"open:ZnIntro.mus", "STOP MUSIC", "CLOSE MUSIC", "PLAY INTRO FROM 0"}
        << L{0, platform::MusicAliasNotOpen, platform::MusicAliasNotOpen, 0}
        << QStringList{"load ZnIntro.mus", "play from start"};
    QTest::newRow("keywords in any letter case")
        << QStringList{"open ZnIntro.mus type sequencer alias intro", "play intro from 0",
                       "Stop Intro", "close  intro"}
        << L{0, 0, 0, 0} << QStringList{"load ZnIntro.mus", "play from start", "stop", "unload"};
}

void TestMusicCommands::sequences()
{
    QFETCH(QStringList, commands);
    QFETCH(QList<int>, results);
    QFETCH(QStringList, sound);

    QStringList log;
    MusicCommands device(std::make_unique<RecordingOutput>(log));
    QList<int> got;
    for (QString command : commands) {
        if (command.startsWith(u"open:"))
            command = platform::music::openCommand(m_dir.filePath(command.mid(5)));
        else if (command.startsWith(u"open "))
            command.replace(u"open ZnIntro.mus"_s, u"open "_s + m_menu);
        else
            command.replace(u" ZnIntro.mus"_s, u" "_s + m_menu);
        got << device.sendCommand(command);
    }
    log.replaceInStrings(m_dir.path() + u'/', QString());
    QCOMPARE(got, results);
    QCOMPARE(log, sound);
}

// Paths are taken whole from between the fixed words, spaces and all.
void TestMusicCommands::pathWithSpaces()
{
    QStringList log;
    MusicCommands device(std::make_unique<RecordingOutput>(log));
    QCOMPARE(device.sendCommand(platform::music::openCommand(m_spaced)), 0);
    QCOMPARE(log, QStringList{u"load "_s + m_spaced});
    QVERIFY(device.isOpen());

    // A quoted path, as the classic interface also accepted, names the same file.
    QCOMPARE(device.sendCommand(u"CLOSE INTRO"_s), 0);
    QCOMPARE(device.sendCommand(u"OPEN \""_s + m_spaced + u"\" TYPE SEQUENCER ALIAS INTRO"_s), 0);
    QCOMPARE(log.last(), u"load "_s + m_spaced);
}

// The helpers the windows call send exactly the commands of each occasion, in order; the
// back button's menu window finds the alias open and only restarts the menu music.
void TestMusicCommands::gameSequencesThroughTheOneDoor()
{
    QStringList log;
    auto device = std::make_shared<MusicCommands>(std::make_unique<RecordingOutput>(log));
    platform::services().music = device;

    platform::music::openAndPlay(m_menu); // the menu opens
    platform::music::switchTo(m_game);    // Play
    platform::music::restart();           // 409 seconds later
    platform::music::switchTo(m_menu);    // back to the menu
    platform::music::openAndPlay(m_menu); // ... whose window loads
    platform::music::stopAndClose();      // Exit
    platform::music::stopAndClose();      // the records window's Close

    log.replaceInStrings(m_dir.path() + u'/', QString());
    const QStringList expected = {
        "load ZnIntro.mus",
        "play from start", // menu
        "stop",
        "unload",
        "load ZnGame.mus",
        "play from start", // Play
        "stop",
        "play from start", // repeat
        "stop",
        "unload",
        "load ZnIntro.mus",
        "play from start", // back
        "play from start", // menu load: open fails
        "stop",
        "unload", // Exit; Close finds nothing
    };
    QCOMPARE(log, expected);
    QVERIFY(!device->isOpen());
    platform::services().music.reset();
    QCOMPARE(platform::mciSendString(platform::music::kPlay), 1); // no device: fails quietly
}

QTEST_GUILESS_MAIN(TestMusicCommands)
#include "tst_music_commands.moc"
