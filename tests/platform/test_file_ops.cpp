#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Another program instance at work on a file: it holds the file locked as a transfer holds its
// work file, until it is stopped.
class LockHolder {
public:
    explicit LockHolder(const QString& path) {
        m_process.start(QStringLiteral("flock"), {QStringLiteral("-x"), path, QStringLiteral("-c"),
                                                  QStringLiteral("echo locked; exec sleep 60")});
        if (!m_process.waitForReadyRead(10000))
            qFatal("flock did not start");
    }
    ~LockHolder() {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// Whether a lock on the file can be taken now, through a descriptor of its own.
bool lockable(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool taken = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0)
        ::close(fd);
    return taken;
}

} // namespace

class TestFileOps : public QObject {
    Q_OBJECT

    QString m_folder;

private Q_SLOTS:
    void init() { m_folder = TestSupport::newFolder(); }

    void aFileIsKnownByWhatItIsNotByItsName() {
        const QString file = Fixtures::writeFile(m_folder + "/a.mdb", "A");
        const QString other = Fixtures::writeFile(m_folder + "/b.mdb", "A");
        QVERIFY(QDir().mkpath(m_folder + "/sub"));
        const QString hard = Fixtures::hardLink(file, m_folder + "/sub/hard.mdb");
        const QString soft = m_folder + "/soft.mdb";
        QVERIFY(QFile::link(file, soft));
        QVERIFY(FileOps::sameFile(file, hard));
        QVERIFY(FileOps::sameFile(soft, hard));
        QVERIFY(FileOps::sameFile(file, m_folder + "/sub/../a.mdb"));
        QVERIFY(!FileOps::sameFile(file, other)); // the same bytes, another file
        // A file that does not exist is only itself, by its resolved path.
        const QString missing = m_folder + "/missing.mdb";
        QVERIFY(FileOps::sameFile(missing, m_folder + "/sub/../missing.mdb"));
        QVERIFY(!FileOps::sameFile(missing, file));
        QVERIFY(!FileOps::sameFile(QString(), QString()));
    }

    // A work file is made empty beside its target under the work name, locked against other
    // instances while it lives, and gone afterwards unless it reached its place.
    void aWorkFileIsLockedWhileItLives() {
        const QString target = m_folder + "/Practice 2025.mdb";
        QString left;
        {
            const FileOps::WorkFile work(target);
            left = work.path();
            QCOMPARE(QFileInfo(left).absolutePath(), m_folder);
            QVERIFY2(QFileInfo(left).fileName().contains(
                         QRegularExpression("^\\.Practice 2025\\.mdb\\.tmp-[0-9a-f]{8}$")),
                     qPrintable(left));
            QCOMPARE(QFileInfo(left).size(), 0);
            QVERIFY(!lockable(left));
            Fixtures::writeFile(left + "-journal", "journal");
        }
        QCOMPARE(Fixtures::workFiles(m_folder), QStringList());
        {
            const FileOps::WorkFile work(target);
            FileOps::renameNoReplace(work.path(), target);
        }
        QVERIFY(QFileInfo::exists(target));
    }

    // What a killed program left goes; a work file that a process holds, and everything that is
    // not exactly a work file, stays.
    void onlyWorkFilesThatNoProcessHoldsAreRemoved() {
        const QString stale = Fixtures::writeFile(m_folder + "/.a.mdb.tmp-0000beef", "half");
        Fixtures::writeFile(stale + "-journal", "its journal");
        const QString orphan = Fixtures::writeFile(m_folder + "/.b.mdb.tmp-12345678-journal", "j");
        const QString elsewhere = Fixtures::writeFile(m_folder + "/.c.mdb.tmp-0badcafe", "live");
        Fixtures::writeFile(elsewhere + "-journal", "live journal");
        const LockHolder otherInstance(elsewhere);
        // A file this process has open is never probed: closing the probe would drop the
        // engine's locks on it.
        const QString here = Fixtures::newDatabase(m_folder + "/.d.mdb.tmp-00c0ffee");
        const Database open = Database::open(here);
        const QStringList notOurs{".a.mdb.tmp-0000BEEF", "a.mdb.tmp-0000beef", ".a.mdb.tmp-0000bee",
                                  ".a.mdb.tmp-0000beef~", "a.mdb"};
        for (const QString& name : notOurs)
            Fixtures::writeFile(m_folder + '/' + name, "someone's");
        // A folder or a link under a work name is no work file either; a link's file stays.
        QVERIFY(QDir().mkpath(m_folder + "/.e.mdb.tmp-0000abcd"));
        QVERIFY(QFile::link(m_folder + "/a.mdb", m_folder + "/.f.mdb.tmp-0000abcd"));

        FileOps::removeStaleWorkFiles(m_folder);

        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY(!QFileInfo::exists(stale + "-journal"));
        QVERIFY(!QFileInfo::exists(orphan));
        QCOMPARE(Fixtures::readFile(elsewhere), QByteArray("live"));
        QCOMPARE(Fixtures::readFile(elsewhere + "-journal"), QByteArray("live journal"));
        QVERIFY(QFileInfo::exists(here));
        QVERIFY(open.hasTable("Projects"));
        for (const QString& name : notOurs)
            QCOMPARE(Fixtures::readFile(m_folder + '/' + name), QByteArray("someone's"));
        QVERIFY(QFileInfo(m_folder + "/.e.mdb.tmp-0000abcd").isDir());
        QVERIFY(QFileInfo(m_folder + "/.f.mdb.tmp-0000abcd").isSymLink());
    }
};

VELLAGON_TEST_MAIN(TestFileOps)
#include "test_file_ops.moc"
