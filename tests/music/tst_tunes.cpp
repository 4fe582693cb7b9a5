// The two tunes of the data tree, read as any MIDI player reads them.
#include "platform/file_lookup.h"
#include "smf_reader.h"
#include "tests/support/doubles.h"

#include <QFile>
#include <QtTest>

#include <set>

using namespace Qt::StringLiterals;

class TestTunes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tune_data();
    void tune();
};

void TestTunes::tune_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("menu tune") << u"\\Data\\Music\\ZnIntro.mus"_s;
    QTest::newRow("game tune") << u"\\Data\\Music\\ZnGame.mus"_s;
}

// The game restarts its music 409 seconds after it began: a tune must fill that time without
// being cut off, be a valid format-1 file, use General MIDI melody, harmony and bass, and
// change its instruments along the way so seven minutes do not sound the same.
void TestTunes::tune()
{
    QFETCH(QString, file);
    QFile f(platform::resolveProgramPath(testing::builtProgramDir(), file));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const testing::Smf smf = testing::readSmf(f.readAll());
    QVERIFY2(smf.error.isEmpty(), qPrintable(smf.error));
    QCOMPARE(smf.format, 1);
    QVERIFY(smf.division > 0 && smf.division < 0x8000); // ticks per quarter, not SMPTE
    QVERIFY(smf.trackCount >= 4);
    QCOMPARE(smf.hangingNotes, 0);

    const double length = smf.secondsAt(smf.endTick);
    QVERIFY2(length > 400 && length <= 409, qPrintable(u"%1 s"_s.arg(length)));
    qint64 lastOff = 0;
    for (const auto &n : smf.notes)
        lastOff = std::max(lastOff, n.off);
    QVERIFY2(smf.secondsAt(lastOff) > 390, "the music stops long before its end");

    // Melody above, bass below, and a program on every melodic channel that plays.
    int low = 0, high = 0;
    for (const auto &n : smf.notes) {
        if (n.channel == 9)
            continue;
        low += n.pitch < 48;
        high += n.pitch >= 72;
        QVERIFY2(smf.programs.count(n.channel), qPrintable(u"channel %1"_s.arg(n.channel)));
    }
    QVERIFY(low > 100);
    QVERIFY(high > 50);

    // The line-up of instruments over each half minute; a tune that only repeats has one.
    std::set<std::set<int>> lineUps;
    for (double from = 0; from + 30 <= length; from += 30) {
        std::set<int> channels;
        for (const auto &n : smf.notes) {
            const double at = smf.secondsAt(n.on);
            if (at >= from && at < from + 30)
                channels.insert(n.channel);
        }
        QVERIFY2(channels.size() >= 3, qPrintable(u"thin at %1 s"_s.arg(from)));
        lineUps.insert(channels);
    }
    QVERIFY2(lineUps.size() >= 5, qPrintable(u"%1 line-ups"_s.arg(lineUps.size())));
}

QTEST_GUILESS_MAIN(TestTunes)
#include "tst_tunes.moc"
