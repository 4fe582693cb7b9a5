#pragma once
// The records tool (records_tool.cpp) run as a player runs the game: as "nobody" when the
// test runs as root (as in CI), else as the user running the test.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing
{

// The tool is copied into the test's folder dir, which the player is let into; the player's
// own data folder is dir/xdg.
class Player
{
public:
    Player(const QString &tool, const QString &dir) : m_source(tool), m_dir(dir) {}

    bool prepare(QString *why)
    {
        m_tool = m_dir + QStringLiteral("/records_tool");
        ::chmod(QFile::encodeName(m_dir).constData(), 0755);
        if (!QFile::copy(m_source, m_tool)) {
            *why = QStringLiteral("cannot copy the records tool into %1").arg(m_dir);
            return false;
        }
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            if (!nobody) {
                *why = QStringLiteral("root without a user \"nobody\" to play as");
                return false;
            }
            m_prefix = {QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                        QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                        QStringLiteral("--clear-groups"), QStringLiteral("--"), m_tool};
        }
        QString out;
        if (run({QStringLiteral("where"), m_dir}, &out) != 0) {
            *why = QStringLiteral("the tool does not run as a player here: %1").arg(out);
            return false;
        }
        return true;
    }

    // Runs the tool, under `tracer` (a command and its arguments) when one is given; its exit
    // code (-1 when it did not run or was killed) and what it printed.
    int run(const QStringList &arguments, QString *output, const QStringList &tracer = {}) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir + QStringLiteral("/xdg"));
        if (!m_prefix.isEmpty()) {
            // The sanitizer run's leak suppressions may sit where the player cannot read.
            env.remove(QStringLiteral("LSAN_OPTIONS"));
            env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        }
        tool.setProcessEnvironment(env);
        tool.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList command =
            tracer +
            (m_prefix.isEmpty() ? QStringList{m_tool} : QStringList{"setpriv"} + m_prefix) +
            arguments;
        tool.start(command.first(), command.mid(1));
        if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit) {
            *output = tool.errorString();
            return -1;
        }
        *output = QString::fromLocal8Bit(tool.readAll()).trimmed();
        return tool.exitCode();
    }

private:
    QString m_source;
    QString m_dir;
    QString m_tool;
    QStringList m_prefix;
};

} // namespace testing
