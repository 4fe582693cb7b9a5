#include "records/records_store.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records::store
{

namespace
{

// A save takes milliseconds; a copy that still waits after this long gives up and says so.
constexpr int kLockWaitMs = 10000;
// A reader waits this long at most for another copy's write in place, then reads what is there.
constexpr int kReadWaitMs = 1000;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

enum class Locking { Locked, Unguarded, Replaced, TimedOut };

// Takes flock on fd, then checks that path still names the file locked: a copy that
// replaced or removed it meanwhile left this one holding a lock nobody else asks for.
// waiting, when given, is told once that another copy holds the lock.
Locking lockNamed(int fd, const QString &path, bool exclusive, const QDeadlineTimer &deadline,
                  struct stat *status, const Waiting &waiting = {})
{
    Locking locked = Locking::Locked;
    bool told = false;
    while (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            // A file system without locks: go on unguarded, as every older version did.
            locked = Locking::Unguarded;
            break;
        }
        if (deadline.hasExpired())
            return Locking::TimedOut;
        if (waiting && !std::exchange(told, true))
            waiting();
        QThread::msleep(2);
    }
    struct stat named = {};
    if (::fstat(fd, status) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
        status->st_dev == named.st_dev && status->st_ino == named.st_ino)
        return locked;
    return deadline.hasExpired() ? Locking::TimedOut : Locking::Replaced;
}

bool notBefore(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec >= b.tv_nsec;
}

// A copy killed while it saved leaves its lock file and may leave the temporary its new file
// was written to ("Kelset.dll.AbCdEf", six letters from Qt's save). With the lock held no
// live copy is writing one, so those written since the dead copy took the lock go; a file of
// that name that is older (a player's own "Kelset.dll.backup") stays.
void removeDeadCopysTemporaries(const QString &path, const struct timespec &lockTaken)
{
    const QFileInfo records(path);
    const QString prefix = records.fileName() + u'.';
    const QDir folder = records.absoluteDir();
    const QStringList candidates = folder.entryList({prefix + QStringLiteral("??????")},
                                                    QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        const QStringView suffix = QStringView(name).sliced(prefix.size());
        if (!std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
                return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
            }))
            continue;
        const QByteArray temporary = QFile::encodeName(folder.filePath(name));
        struct stat status = {};
        if (::lstat(temporary.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            notBefore(status.st_mtim, lockTaken))
            ::unlink(temporary.constData());
    }
}

// "Kelset.dll.lock" beside the records file, held with flock while a copy saves. The kernel
// lets go of it when the process dies, however it dies, so a crashed copy never blocks the
// next one (a lock that names its holder, as QLockFile's does, is left empty by a kill
// between creating and filling it, and then blocks every copy until it is judged stale).
// The holder removes it before letting go, so none is left behind; one left by a killed copy
// is simply locked and removed by the next.
class LockFile
{
public:
    explicit LockFile(QString records)
        : m_records(std::move(records)), m_path(m_records + QStringLiteral(".lock"))
    {
    }
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;
    ~LockFile()
    {
        if (m_fd < 0)
            return;
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
    }

    // Also removes what a copy killed while it saved left beside the records.
    bool lock(const QDeadlineTimer &deadline, const Waiting &waiting, QString *reason)
    {
        const QByteArray name = QFile::encodeName(m_path);
        for (;;) {
            // Read-only is enough for flock, and opens a lock another user's copy left. A
            // copy that holds the lock removes it before letting go, so one that was there
            // before this copy opened it and is still there once locked was left by a dead
            // copy.
            bool made = true;
            int fd = ::open(name.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST) {
                made = false;
                fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
                if (fd < 0 && errno == ENOENT)
                    continue; // let go of just now
            }
            if (fd < 0) {
                *reason = QStringLiteral("its lock file \"%1\" cannot be created (%2)")
                              .arg(m_path, systemReason(errno));
                return false;
            }
            struct stat status = {};
            switch (lockNamed(fd, m_path, true, deadline, &status, waiting)) {
            case Locking::Locked:
                if (!made) {
                    removeDeadCopysTemporaries(m_records, status.st_mtim);
                    // Should this copy die too, what it leaves is judged from now on.
                    if (::futimens(fd, nullptr) != 0) {
                        // Another user's lock: its time stays that of the copy that made it.
                    }
                }
                m_fd = fd;
                return true;
            case Locking::Unguarded:
                m_fd = fd;
                return true;
            case Locking::Replaced:
                ::close(fd);
                continue;
            case Locking::TimedOut:
                ::close(fd);
                *reason = QStringLiteral("another copy of the game kept it locked");
                return false;
            }
        }
    }

private:
    QString m_records;
    QString m_path;
    int m_fd = -1;
};

// The records file itself, open and locked with flock: copies that may only rewrite the file
// in place have no lock file to share, and one that replaces the file holds this lock on the
// old one until the new one is in its place.
class LockedFile
{
public:
    enum class State { Locked, Missing, Failed };

    State open(const QString &path, QIODevice::OpenMode mode, bool exclusive,
               const QDeadlineTimer &deadline, const Waiting &waiting = {})
    {
        for (;;) {
            m_file.setFileName(path);
            if (!m_file.open(mode)) {
                if (!QFileInfo::exists(path))
                    return State::Missing;
                m_reason = QStringLiteral("it cannot be opened (%1)").arg(m_file.errorString());
                return State::Failed;
            }
            switch (lockNamed(m_file.handle(), path, exclusive, deadline, &m_status, waiting)) {
            case Locking::Locked:
            case Locking::Unguarded:
                return State::Locked;
            case Locking::Replaced:
                m_file.close();
                continue;
            case Locking::TimedOut:
                m_reason = QStringLiteral("another program kept it locked");
                return State::Failed;
            }
        }
    }

    QFile &file() { return m_file; }
    const struct stat &status() const { return m_status; }
    const QString &reason() const { return m_reason; }

private:
    QFile m_file;
    struct stat m_status = {};
    QString m_reason;
};

bool readAll(QFile &file, QByteArray *bytes, QString *reason)
{
    *bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        return true;
    *reason = QStringLiteral("it cannot be read (%1)").arg(file.errorString());
    return false;
}

// The replacement belongs to whoever owned the old file (root saving a player's records must
// not take them from the player) and has its mode: a file made read-only stays read-only.
void keepOwnerAndMode(int fd, const struct stat &old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Only root may give a file away; a player's replacement stays the player's.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // The temporary is ours, so this does not fail; if it did, Qt's mode stands.
    }
}

Result replace(const QString &path, const QByteArray &bytes, const struct stat *old)
{
    QSaveFile out(path);
    // Unbuffered: with Qt's buffer a write that fails for a full disk only fails in the flush
    // inside commit(), which then puts an empty file in place and reports success.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {false, out.errorString()};
    if (old)
        keepOwnerAndMode(out.handle(), *old);
    if (const qint64 written = out.write(bytes); written != bytes.size()) {
        const QString reason = written < 0
                                   ? out.errorString()
                                   : QStringLiteral("only %1 of its %2 bytes fit on the disk")
                                         .arg(written)
                                         .arg(bytes.size());
        out.cancelWriting();
        return {false, reason};
    }
    if (!out.commit())
        return {false, out.errorString()};
    return {true, {}};
}

Result synced(int fd)
{
    if (::fdatasync(fd) != 0)
        return {false, systemReason(errno)};
    return {true, {}};
}

// As the classic profile functions write: over the old bytes, so that a kill at any moment
// leaves the old records or the new ones. The room for a longer text is claimed first, without
// growing the file, so a full disk leaves the old text whole. A shorter text is written padded
// with blanks to the old length, which every reader passes over, and only then is the file
// cut: never the new text with the old one's tail after it. Only the changed part is written.
Result rewriteInPlace(int fd, const QByteArray &old, const profile::Document &document)
{
    const QByteArray bytes = document.fileBytes();
    if (bytes.size() > old.size() &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, old.size(), bytes.size() - old.size()) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
        return {false, systemReason(errno)};
    const QByteArray padded =
        bytes.size() < old.size() ? bytes + document.blanks(old.size() - bytes.size()) : bytes;
    const qsizetype common = std::min(old.size(), padded.size());
    const auto differ = std::mismatch(padded.cbegin(), padded.cbegin() + common, old.cbegin());
    const qsizetype from = differ.first - padded.cbegin();
    for (qsizetype at = from; at < padded.size();) {
        const ssize_t written = ::pwrite(fd, padded.constData() + at, padded.size() - at, at);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // Where no room could be claimed: the old text goes back where it was, and fits.
            const int error = written < 0 ? errno : ENOSPC;
            if (::pwrite(fd, old.constData() + from, old.size() - from, from) < 0 ||
                ::ftruncate(fd, old.size()) != 0) {
                // As good as it gets on a disk that takes nothing more.
            }
            return {false, systemReason(error)};
        }
        at += written;
    }
    if (padded.size() == bytes.size())
        return synced(fd);
    if (const Result result = synced(fd); !result.ok)
        return result;
    if (::ftruncate(fd, bytes.size()) != 0)
        return {false, systemReason(errno)};
    return synced(fd);
}

} // namespace

QByteArray readBytes(const Place &place, Reading reading)
{
    const auto startingBytes = [&] {
        QFile seed(place.startFrom);
        return !place.startFrom.isEmpty() && seed.open(QIODevice::ReadOnly) ? seed.readAll()
                                                                            : QByteArray();
    };
    if (reading == Reading::AfterWritesInPlace) {
        LockedFile locked;
        switch (locked.open(place.path, QIODevice::ReadOnly, false, QDeadlineTimer(kReadWaitMs))) {
        case LockedFile::State::Locked:
            return locked.file().readAll();
        case LockedFile::State::Missing:
            return startingBytes();
        case LockedFile::State::Failed:
            break; // held too long: what a replacement left is whole all the same
        }
    }
    QFile file(place.path);
    if (file.open(QIODevice::ReadOnly))
        return file.readAll();
    return QFileInfo::exists(place.path) ? QByteArray() : startingBytes();
}

Result edit(const Place &place, const std::function<bool(profile::Document &)> &edit,
            const Waiting &waiting)
{
    const QFileInfo target(place.path);
    const QString folder = target.absolutePath();
    if (place.makeFolder && !QDir().mkpath(folder))
        return {false, QStringLiteral("its folder \"%1\" cannot be created").arg(folder)};
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return {false, QStringLiteral("its folder \"%1\" does not exist").arg(folder)};
    if (target.isDir())
        return {false, QStringLiteral("it is a folder")};
    const bool exists = target.exists();
    if (exists && !target.isWritable())
        return {false, QStringLiteral("it is read-only")};
    // The file is replaced when its folder may be written; a scores file made writable in a
    // folder that is not can only be rewritten in place.
    const bool replacing = folderInfo.isWritable();
    if (!replacing && !exists)
        return {false, QStringLiteral("its folder \"%1\" is read-only").arg(folder)};

    const QDeadlineTimer deadline(kLockWaitMs);
    LockFile lock(place.path);
    QString reason;
    if (replacing && !lock.lock(deadline, waiting, &reason))
        return {false, reason};

    LockedFile locked;
    QByteArray old;
    bool existed = false;
    switch (locked.open(place.path, replacing ? QIODevice::ReadOnly : QIODevice::ReadWrite, true,
                        deadline, waiting)) {
    case LockedFile::State::Locked:
        existed = true;
        if (!readAll(locked.file(), &old, &reason))
            return {false, reason};
        break;
    case LockedFile::State::Missing:
        if (!replacing)
            return {false, QStringLiteral("it is gone and its folder is read-only")};
        if (!place.startFrom.isEmpty()) {
            QFile seed(place.startFrom);
            if (seed.open(QIODevice::ReadOnly))
                old = seed.readAll();
        }
        break;
    case LockedFile::State::Failed:
        return {false, locked.reason()};
    }

    profile::Document document(old);
    if (!edit(document))
        return {true, {}};
    if (!document.keepsEveryByte())
        return {false, QStringLiteral("it is UTF-16 text with a broken character, which a save "
                                      "would damage")};
    const QByteArray bytes = document.fileBytes();
    if (existed && bytes == old)
        return {true, {}};
    if (replacing)
        return replace(place.path, bytes, existed ? &locked.status() : nullptr);
    return rewriteInPlace(locked.file().handle(), old, document);
}

} // namespace records::store
