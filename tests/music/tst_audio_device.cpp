// Whether there is somewhere to play, and the real music chain on machines without sound,
// without FluidSynth, or with a broken one: the game stays silent, says why in one line, and
// loads nothing it does not need.
#include "platform/audio_device.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace Qt::StringLiterals;
using platform::AudioRoute;

Q_DECLARE_METATYPE(platform::AudioRoute)

namespace
{

// A listening Unix socket, as a sound server keeps one; closed with the object.
class ListeningSocket
{
public:
    explicit ListeningSocket(const QString &path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (name.size() >= int(sizeof(address.sun_path)))
            return;
        std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (m_fd >= 0 &&
            (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
             ::listen(m_fd, 1) != 0)) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~ListeningSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ListeningSocket(const ListeningSocket &) = delete;
    ListeningSocket &operator=(const ListeningSocket &) = delete;
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Reports whether anything opened a file between construction and opened().
class OpenWatch
{
public:
    explicit OpenWatch(const QString &path)
        : m_fd(inotify_init1(IN_NONBLOCK)),
          m_watch(m_fd >= 0 ? inotify_add_watch(m_fd, QFile::encodeName(path), IN_OPEN) : -1)
    {
    }
    ~OpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;
    bool isWatching() const { return m_watch >= 0; }
    bool opened() const
    {
        alignas(inotify_event) char buffer[4096];
        return ::read(m_fd, buffer, sizeof buffer) > 0;
    }

private:
    int m_fd;
    int m_watch;
};

QStringList gameLines(const QByteArray &stderrText)
{
    QStringList lines;
    for (const QString &line : QString::fromLocal8Bit(stderrText).split(u'\n'))
        if (line.startsWith(u"Zantho Puzzle:"_s))
            lines << line;
    return lines;
}

QString buildDir()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace

class TestAudioDevice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void route_data();
    void route();
    void chainWithoutSound_data();
    void chainWithoutSound();
    void chainWithASoundServer_data();
    void chainWithASoundServer();
    void gameStartsWithABrokenFluidSynth();
};

void TestAudioDevice::route_data()
{
    // %1 in the server list stands for a socket that exists, %2 for one that does not.
    QTest::addColumn<QString>("pulseServer");
    QTest::addColumn<QString>("inRuntimeDir"); // "socket", "file" or "" at pulse/native
    QTest::addColumn<QByteArray>("cards");     // the ALSA card list; "-" for no such file
    QTest::addColumn<AudioRoute>("expected");

    const QByteArray noCards = "--- no soundcards ---\n";
    const QByteArray oneCard = " 0 [PCH            ]: HDA-Intel - HDA Intel PCH\n"
                               "                      HDA Intel PCH at 0xf7f10000 irq 32\n";
    QTest::newRow("nothing at all") << u""_s << u""_s << QByteArray("-") << AudioRoute::None;
    QTest::newRow("ALSA lists no card") << u""_s << u""_s << noCards << AudioRoute::None;
    QTest::newRow("an ALSA card") << u""_s << u""_s << oneCard << AudioRoute::AlsaCard;
    QTest::newRow("a server's socket in the runtime folder")
        << u""_s << u"socket"_s << noCards << AudioRoute::SoundServer;
    QTest::newRow("a plain file where the socket would be")
        << u""_s << u"file"_s << noCards << AudioRoute::None;
    QTest::newRow("PULSE_SERVER names a socket")
        << u"unix:%1"_s << u""_s << noCards << AudioRoute::SoundServer;
    QTest::newRow("PULSE_SERVER names a bare socket path")
        << u"%1"_s << u""_s << noCards << AudioRoute::SoundServer;
    QTest::newRow("PULSE_SERVER names a missing socket, there is a card")
        << u"unix:%2"_s << u""_s << oneCard << AudioRoute::AlsaCard;
    // The sound library then ignores the runtime folder too.
    QTest::newRow("PULSE_SERVER names a missing socket, the runtime folder has one")
        << u"unix:%2"_s << u"socket"_s << noCards << AudioRoute::None;
    QTest::newRow("PULSE_SERVER names a server on the network")
        << u"tcp:studio.local:4713"_s << u""_s << noCards << AudioRoute::SoundServer;
    QTest::newRow("PULSE_SERVER lists a missing socket, then one for this machine")
        << u"unix:%2 {0123abcd}unix:%1"_s << u""_s << noCards << AudioRoute::SoundServer;
    QTest::newRow("PULSE_SERVER is blank")
        << u"  "_s << u"socket"_s << noCards << AudioRoute::SoundServer;
}

// The decision comes from files only; a wrong "no" silences a player who has sound, a wrong
// "yes" loads sixty libraries and a SoundFont for nothing.
void TestAudioDevice::route()
{
    QFETCH(QString, pulseServer);
    QFETCH(QString, inRuntimeDir);
    QFETCH(QByteArray, cards);
    QFETCH(AudioRoute, expected);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"runtime/pulse"_s));
    ListeningSocket server(dir.filePath(u"server"_s));
    QVERIFY(server.isOpen());
    std::unique_ptr<ListeningSocket> runtimeServer;
    if (inRuntimeDir == u"socket"_s) {
        runtimeServer = std::make_unique<ListeningSocket>(dir.filePath(u"runtime/pulse/native"_s));
        QVERIFY(runtimeServer->isOpen());
    } else if (inRuntimeDir == u"file"_s) {
        QVERIFY(writeFile(dir.filePath(u"runtime/pulse/native"_s), "not a socket"));
    }
    platform::AudioPlaces places;
    places.pulseServer = QString(pulseServer)
                             .replace(u"%1"_s, dir.filePath(u"server"_s))
                             .replace(u"%2"_s, dir.filePath(u"gone"_s));
    places.runtimeDir = dir.filePath(u"runtime"_s);
    places.alsaCards = dir.filePath(u"cards"_s);
    if (cards != "-")
        QVERIFY(writeFile(places.alsaCards, cards));
    QCOMPARE(platform::findAudioRoute(places), expected);
}

void TestAudioDevice::chainWithoutSound_data()
{
    QTest::addColumn<bool>("device");         // a sound server's socket is there
    QTest::addColumn<QString>("library");     // --library for the probe, empty: the real name
    QTest::addColumn<QString>("libraryPath"); // LD_LIBRARY_PATH: "empty" file, "stub" library
    QTest::addColumn<QString>("reason");      // part of the one line on stderr

    QTest::newRow("no audio device") << false << u""_s << u""_s << u"no audio device"_s;
    QTest::newRow("FluidSynth not installed")
        << true << u"libfluidsynth-not-installed.so.3"_s << u""_s << u"cannot load FluidSynth"_s;
    QTest::newRow("FluidSynth an empty file")
        << true << u""_s << u"empty"_s << u"cannot load FluidSynth"_s;
    QTest::newRow("FluidSynth without its functions")
        << true << u""_s << u"stub"_s << u"libfluidsynth.so.3 has no function"_s;
}

// Silence costs nothing: no FluidSynth in memory, the SoundFont never opened, and exactly one
// line that tells the player why there is no music.
void TestAudioDevice::chainWithoutSound()
{
    QFETCH(bool, device);
    QFETCH(QString, library);
    QFETCH(QString, libraryPath);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"runtime/pulse"_s));
    QVERIFY(QDir(dir.path()).mkpath(u"lib"_s));
    std::unique_ptr<ListeningSocket> server;
    if (device) {
        server = std::make_unique<ListeningSocket>(dir.filePath(u"runtime/pulse/native"_s));
        QVERIFY(server->isOpen());
    }
    const QString soundFont = dir.filePath(u"watched.sf2"_s);
    QVERIFY(writeFile(soundFont, "sfbk"));
    OpenWatch watch(soundFont);
    QVERIFY(watch.isWatching());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"PULSE_SERVER"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, dir.filePath(u"runtime"_s));
    env.insert(u"ZANTHO_SOUNDFONT"_s, soundFont);
    if (libraryPath == u"empty"_s) {
        QVERIFY(writeFile(dir.filePath(u"lib/libfluidsynth.so.3"_s), {}));
        env.insert(u"LD_LIBRARY_PATH"_s, dir.filePath(u"lib"_s));
    } else if (libraryPath == u"stub"_s) {
        env.insert(u"LD_LIBRARY_PATH"_s, buildDir() + u"/stub_fluidsynth"_s);
    }
    QStringList arguments = {u"--cards"_s, dir.filePath(u"no-cards"_s)};
    if (!library.isEmpty())
        arguments << u"--library"_s << library;

    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(buildDir() + u"/music_probe"_s, arguments);
    QVERIFY2(probe.waitForFinished(30000), "the music chain did not return");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("silent fluidsynth=absent"));
    const QByteArray errors = probe.readAllStandardError();
    const QStringList lines = QString::fromLocal8Bit(errors).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() == 1, errors.constData());
    QVERIFY2(lines.first().startsWith(u"Zantho Puzzle: "_s) && lines.first().contains(reason) &&
                 lines.first().endsWith(u"; the music stays silent."_s),
             qPrintable(lines.first()));
    QVERIFY2(!watch.opened(), "the SoundFont was opened though nothing could play it");
}

void TestAudioDevice::chainWithASoundServer_data()
{
    QTest::addColumn<QString>("named"); // ZANTHO_SOUNDFONT: "copy", or a file that is not there
    QTest::addColumn<QString>("said");  // the one line on stderr, empty for none
    QTest::newRow("the player's SoundFont") << u"copy"_s << u""_s;
    QTest::newRow("a SoundFont that is not there")
        << u"/nonexistent/organ.sf2"_s
        << u"Zantho Puzzle: cannot read the SoundFont /nonexistent/organ.sf2; playing "_s;
}

// The other side of the same chain: with a server that takes the sound, FluidSynth is loaded
// and the SoundFont read; a SoundFont the player named that cannot be read is named in one
// line, and the music plays with the game's own.
void TestAudioDevice::chainWithASoundServer()
{
    QFETCH(QString, named);
    QFETCH(QString, said);
    const QString pulseaudio = QStandardPaths::findExecutable(u"pulseaudio"_s);
    if (pulseaudio.isEmpty())
        QSKIP("needs PulseAudio (Debian: pulseaudio) for a server with a null sink");
    const QString small = u"/usr/share/sounds/sf2/TimGM6mb.sf2"_s;
    if (!QFile::exists(small))
        QSKIP("needs TimGM6mb (Debian: timgm6mb-soundfont)");
    QTemporaryDir dir;
    // A copy of its own, so that the watch sees this process's reads and no other test's.
    const QString soundFont = dir.filePath(u"watched.sf2"_s);
    QVERIFY(QFile::copy(small, soundFont));
    const QString socket = dir.filePath(u"native"_s);

    QProcess server;
    QProcessEnvironment serverEnv = QProcessEnvironment::systemEnvironment();
    serverEnv.insert(u"HOME"_s, dir.path());
    serverEnv.insert(u"XDG_RUNTIME_DIR"_s, dir.path());
    server.setProcessEnvironment(serverEnv);
    server.start(pulseaudio, {u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s,
                              u"--use-pid-file=no"_s, u"--disable-shm=yes"_s, u"-L"_s,
                              u"module-native-protocol-unix auth-anonymous=1 socket="_s + socket,
                              u"-L"_s, u"module-null-sink sink_name=test"_s});
    QVERIFY(server.waitForStarted());
    const auto stopServer = qScopeGuard([&] {
        server.terminate();
        if (!server.waitForFinished(5000))
            server.kill();
    });
    QTRY_VERIFY_WITH_TIMEOUT(
        platform::findAudioRoute({u"unix:"_s + socket, {}, {}}) == AudioRoute::SoundServer, 10000);

    OpenWatch watch(soundFont);
    QVERIFY(watch.isWatching());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"PULSE_SERVER"_s, u"unix:"_s + socket);
    env.insert(u"ZANTHO_SOUNDFONT"_s, named == u"copy"_s ? soundFont : named);
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(buildDir() + u"/music_probe"_s, {u"--cards"_s, dir.filePath(u"no-cards"_s)});
    QVERIFY2(probe.waitForFinished(30000), "the music chain did not return");
    const QByteArray errors = probe.readAllStandardError();
    QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("ready fluidsynth=loaded"));
    const QStringList lines = gameLines(errors);
    if (said.isEmpty()) {
        QVERIFY2(lines.isEmpty(), errors.constData());
        QVERIFY2(watch.opened(), "the SoundFont was not read");
    } else {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(said), qPrintable(lines.first()));
    }
}

// The game itself, where FluidSynth is broken but a sound server is there: it starts, says
// why the music is silent once, and keeps running.
void TestAudioDevice::gameStartsWithABrokenFluidSynth()
{
    const QString game = qEnvironmentVariable("PUZZLE_PROGRAM_DIR") + u"/zantho-puzzle"_s;
    QVERIFY2(QFile::exists(game), qPrintable(game));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"runtime/pulse"_s));
    ListeningSocket server(dir.filePath(u"runtime/pulse/native"_s));
    QVERIFY(server.isOpen());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"PULSE_SERVER"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, dir.filePath(u"runtime"_s));
    env.insert(u"LD_LIBRARY_PATH"_s, buildDir() + u"/stub_fluidsynth"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"HOME"_s, dir.path());
    env.insert(u"ZANTHO_SEED"_s, u"1"_s); // no line about the seed: only the music's is counted
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(game);
    QVERIFY(process.waitForStarted());
    QByteArray errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += process.readAllStandardError()).contains("stays silent"),
                             20000);
    // Still running a moment later: silence is not a crash.
    QVERIFY2(!process.waitForFinished(300), errors.constData());
    process.kill();
    process.waitForFinished();
    errors += process.readAllStandardError();
    const QStringList lines = gameLines(errors);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(u"has no function"_s), qPrintable(lines.first()));
}

QTEST_GUILESS_MAIN(TestAudioDevice)
#include "tst_audio_device.moc"
