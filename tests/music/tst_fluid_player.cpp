// The real synthesiser behind the real command strings, rendered offline (no audio device).
#include "platform/file_lookup.h"
#include "platform/fluid_library.h"
#include "platform/fluid_player.h"
#include "platform/sequencer_music.h"
#include "tests/support/doubles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;
using platform::FluidPlayer;

namespace
{

const int kRate = int(platform::FluidOptions().sampleRate);

// The interpreter owns its output; the test keeps the player to render from it.
class Borrowed final : public platform::MusicOutput
{
public:
    explicit Borrowed(FluidPlayer &player) : m_player(player) {}
    void load(const QString &path) override { m_player.load(path); }
    void playFromStart() override { m_player.playFromStart(); }
    void stop() override { m_player.stop(); }
    void unload() override { m_player.unload(); }

private:
    FluidPlayer &m_player;
};

std::vector<std::int16_t> render(FluidPlayer &player, double seconds)
{
    std::vector<std::int16_t> samples(2 * static_cast<std::size_t>(seconds * kRate));
    const int block = 4096;
    for (std::size_t done = 0; done < samples.size(); done += 2 * block) {
        const int frames =
            static_cast<int>(std::min<std::size_t>(block, (samples.size() - done) / 2));
        player.render(samples.data() + done, frames);
    }
    return samples;
}

double rms(const std::vector<std::int16_t> &s, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    to = std::min(to, s.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

int peak(const std::vector<std::int16_t> &s)
{
    int p = 0;
    for (std::int16_t v : s)
        p = std::max(p, std::abs(int(v)));
    return p;
}

double dbfs(double level)
{
    return 20 * std::log10(std::max(level, 1e-9) / 32768.0);
}

} // namespace

class TestFluidPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tunePlaysAndRestartsFromTheBeginning_data();
    void tunePlaysAndRestartsFromTheBeginning();
    void soundFontChoice();
    void onlyTheTunesPresetsSoundTheSame_data();
    void onlyTheTunesPresetsSoundTheSame();
    void damagedSoundFontsAreRefused_data();
    void damagedSoundFontsAreRefused();

private:
    const platform::FluidSynth *m_fluid = nullptr;
    std::unique_ptr<FluidPlayer> m_player;
};

void TestFluidPlayer::initTestCase()
{
    QString why;
    const platform::FluidSynth *fluid = platform::loadFluidSynth("libfluidsynth.so.3", &why);
    QVERIFY2(fluid, qPrintable(why));
    m_fluid = fluid;
    platform::quietSoundLibraries(*fluid);
    const platform::FluidOptions options;
    const QString soundFont = platform::findSoundFont(options.soundFontDir, options.soundFontNames);
    if (soundFont.isEmpty())
        QSKIP("no General MIDI SoundFont installed (Debian: fluid-soundfont-gm)");
    m_player = std::make_unique<FluidPlayer>(*fluid, options);
    QVERIFY(m_player->loadSoundFont(soundFont));
}

void TestFluidPlayer::tunePlaysAndRestartsFromTheBeginning_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("game tune") << u"\\Data\\Music\\ZnGame.mus"_s;
    QTest::newRow("menu tune") << u"\\Data\\Music\\ZnIntro.mus"_s;
}

// Plays as the game plays. The tune must be heard, loud enough but never clipped; a stop
// must quieten it; a play after the stop must start it from its first note again; and once
// the tune is closed, a play has nothing to play.
void TestFluidPlayer::tunePlaysAndRestartsFromTheBeginning()
{
    QFETCH(QString, file);
    const QString path = platform::resolveProgramPath(testing::builtProgramDir(), file);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    platform::SequencerMusic device(path, path, std::make_unique<Borrowed>(*m_player));

    device.open(platform::Tune::Menu);
    device.playFromStart();
    const auto first = render(*m_player, 12);
    QVERIFY(m_player->isPlaying());
    const double playing = rms(first);
    QVERIFY2(dbfs(playing) > -32, qPrintable(u"too quiet: %1 dBFS"_s.arg(dbfs(playing))));
    QVERIFY2(peak(first) < 32767, "the first seconds clip");

    device.stop();
    const auto stopped = render(*m_player, 2);
    QVERIFY(!m_player->isPlaying());
    // Notes are released, not cut: after a second and a half only a faint tail may remain.
    QVERIFY2(rms(stopped, stopped.size() * 3 / 4) < playing / 10, "still sounding after STOP");

    device.playFromStart();
    const auto again = render(*m_player, 1.1);
    QVERIFY2(rms(again) > playing / 10, "nothing heard after the second PLAY");
    // The synthesiser starts a tune on its next 64-frame block, so either start may lag the
    // other by up to 64 frames; aligned, the first second must be the same music.
    const std::size_t oneSecond = 2 * kRate;
    const std::size_t margin = 2 * 64;
    double best = 1e9;
    for (int lag = -64; lag <= 64; ++lag) {
        double sum = 0;
        for (std::size_t i = margin; i < oneSecond; ++i)
            sum += std::pow(double(again[i + 2 * lag]) - first[i], 2);
        best = std::min(best, std::sqrt(sum / double(oneSecond - margin)));
    }
    const double level = rms(first, 0, oneSecond);
    QVERIFY2(best < level / 20, qPrintable(u"the second start differs from the first by %1 "
                                           u"(level %2)"_s.arg(best)
                                               .arg(level)));

    device.close();
    device.playFromStart(); // nothing open: nothing to play
    const auto closed = render(*m_player, 4);
    QVERIFY2(rms(closed, closed.size() * 3 / 4) < playing / 100, "sound after CLOSE");
}

// The SoundFonts asked for by name come first, in their order; any other .sf2 serves.
void TestFluidPlayer::soundFontChoice()
{
    const QStringList names = {u"TimGM6mb.sf2"_s, u"default-GM.sf2"_s};
    QTemporaryDir dir;
    const auto touch = [&](const QString &name) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    const auto found = [&] {
        return QFileInfo(platform::findSoundFont(dir.path(), names)).fileName();
    };
    QCOMPARE(platform::findSoundFont(dir.path(), names), QString());
    touch(u"notes.txt"_s);
    QCOMPARE(platform::findSoundFont(dir.path(), names), QString());
    touch(u"Zebra.sf2"_s);
    touch(u"organ.sf2"_s);
    QCOMPARE(found(), u"organ.sf2"_s);
    touch(u"default-GM.sf2"_s);
    QCOMPARE(found(), u"default-GM.sf2"_s);
    touch(u"TimGM6mb.sf2"_s);
    QCOMPARE(found(), u"TimGM6mb.sf2"_s);
    QCOMPARE(platform::findSoundFont(dir.filePath(u"missing"_s), names), QString());
}

void TestFluidPlayer::onlyTheTunesPresetsSoundTheSame_data()
{
    QTest::addColumn<QString>("soundFont");
    QTest::addColumn<QString>("tune");
    for (const char *font : {"TimGM6mb.sf2", "FluidR3_GM.sf2"}) {
        const QString path = u"/usr/share/sounds/sf2/"_s + QLatin1String(font);
        if (!QFile::exists(path))
            continue;
        for (const char *tune : {"ZnGame.mus", "ZnIntro.mus"})
            QTest::addRow("%s, %s", tune, font) << path << QString::fromLatin1(tune);
    }
}

// The player reads a SoundFont only for the instruments a tune plays. Every sample of the tune
// must come out as with the whole SoundFont loaded, or the copy it reads is wrong somewhere.
void TestFluidPlayer::onlyTheTunesPresetsSoundTheSame()
{
    QFETCH(QString, soundFont);
    QFETCH(QString, tune);
    const QString path = testing::builtProgramDir() + u"/Data/Music/"_s + tune;
    QVERIFY2(QFile::exists(path), qPrintable(path));
    std::vector<std::int16_t> sound[2];
    for (bool only : {true, false}) {
        platform::FluidOptions options;
        options.presetsOfTuneOnly = only;
        FluidPlayer player(*m_fluid, options);
        QVERIFY(player.loadSoundFont(soundFont));
        player.load(path);
        player.playFromStart();
        sound[only] = render(player, 20);
    }
    QVERIFY2(rms(sound[false]) > 100, "the whole SoundFont played nothing");
    std::size_t first = 0;
    while (first < sound[0].size() && sound[0][first] == sound[1][first])
        ++first;
    QVERIFY2(first == sound[0].size(),
             qPrintable(u"the sound differs from %1 s on"_s.arg(double(first / 2) / kRate)));
}

void TestFluidPlayer::damagedSoundFontsAreRefused_data()
{
    QTest::addColumn<QByteArray>("contents");
    const QString small = u"/usr/share/sounds/sf2/TimGM6mb.sf2"_s;
    QFile file(small);
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("needs TimGM6mb (Debian: timgm6mb-soundfont)");
    const QByteArray whole = file.readAll();
    const qsizetype presets = whole.indexOf("pdta");
    QVERIFY(presets > 0);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a SoundFont")
        << QByteArray("MThd\0\0\0\x06 this is a tune, not a SoundFont");
    QTest::newRow("cut off in its samples") << whole.left(whole.size() / 2);
    QTest::newRow("cut off in its preset table") << whole.left(presets + 2000);
    QByteArray zones = whole;
    // The first preset's zones start past the end of the zone table.
    const qsizetype headers = zones.indexOf("phdr", presets);
    zones[headers + 8 + 24] = char(0xff);
    zones[headers + 8 + 25] = char(0x7f);
    QTest::newRow("a preset's zones out of range") << zones;
}

// A SoundFont that is not whole must be refused when it is loaded, not crash the music
// thread when a tune selects an instrument from it.
void TestFluidPlayer::damagedSoundFontsAreRefused()
{
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"damaged.sf2"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    FluidPlayer player(*m_fluid);
    QVERIFY(!player.loadSoundFont(path));
    // Nothing loaded, nothing played: the tune is still taken and only the dither of the
    // 16-bit output (one step at most) comes out.
    player.load(testing::builtProgramDir() + u"/Data/Music/ZnGame.mus"_s);
    player.playFromStart();
    QVERIFY(peak(render(player, 0.5)) <= 1);
}

QTEST_GUILESS_MAIN(TestFluidPlayer)
#include "tst_fluid_player.moc"
