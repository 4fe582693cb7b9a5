// The player's folders follow the XDG base-directory rules: a relative XDG_* value is ignored
// (a player's records must never land in whatever folder the game was started from), and a
// missing HOME falls back to the password database rather than to "/.local/share".
#include "platform/user_folders.h"

#include <QMap>
#include <QTest>

using Env = QMap<QString, QString>;
Q_DECLARE_METATYPE(Env)

class TestUserFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void followsTheBaseDirectoryRules_data()
    {
        QTest::addColumn<Env>("env");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("config");
        QTest::newRow("defaults below HOME")
            << Env{{"HOME", "/home/ana"}} << "/home/ana/.local/share/zantho-puzzle"
            << "/home/ana/.config/zantho-puzzle";
        QTest::newRow("absolute XDG values win")
            << Env{{"HOME", "/home/ana"}, {"XDG_DATA_HOME", "/d/"}, {"XDG_CONFIG_HOME", "/c"}}
            << "/d/zantho-puzzle"
            << "/c/zantho-puzzle";
        QTest::newRow("relative XDG values are ignored")
            << Env{{"HOME", "/home/ana"}, {"XDG_DATA_HOME", "d"}, {"XDG_CONFIG_HOME", "./c"}}
            << "/home/ana/.local/share/zantho-puzzle"
            << "/home/ana/.config/zantho-puzzle";
        QTest::newRow("HOME unset: the password database")
            << Env{} << "/home/pw/.local/share/zantho-puzzle"
            << "/home/pw/.config/zantho-puzzle";
        QTest::newRow("HOME empty: the password database")
            << Env{{"HOME", ""}} << "/home/pw/.local/share/zantho-puzzle"
            << "/home/pw/.config/zantho-puzzle";
    }
    void followsTheBaseDirectoryRules()
    {
        QFETCH(Env, env);
        QFETCH(QString, data);
        QFETCH(QString, config);
        const auto folders = platform::UserFolders::from(
            [&](const char *name) { return env.value(QString::fromLatin1(name)); },
            [] { return QStringLiteral("/home/pw"); });
        QCOMPARE(folders.gameData(), data);
        QCOMPARE(folders.gameConfig(), config);
        QCOMPARE(folders.pictures(), data + "/Pictures");
    }

    // Without any home the folders are empty, so that callers say where they looked instead
    // of writing below the root.
    void noHomeAtAllGivesNoFolder()
    {
        const auto folders = platform::UserFolders::from([](const char *) { return QString(); },
                                                         [] { return QString(); });
        QVERIFY(folders.gameData().isEmpty());
        QVERIFY(folders.gameConfig().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUserFolders)
#include "tst_user_folders.moc"
