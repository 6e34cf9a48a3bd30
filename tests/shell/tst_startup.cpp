#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "shell/apppaths.h"
#include "version.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct TRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program as a user would; messages go to stderr instead of waiting for a click, and
// a start that gets as far as the main window quits as soon as the window is on screen.
TRun runQuillon(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"QUILLON_TEST_NO_DIALOGS"_s, u"1"_s);
    env.insert(u"QUILLON_EXIT_WHEN_SHOWN"_s, u"1"_s);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUILLON_BIN_DIR "/quillon"), args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    TRun run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A database as the installed blank one, with another version number.
void createWithVersion(const QString& path, double version) {
    TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
    TdmAccess access(path);
    access.Open();
    Tdb_update().WriteVersion(version);
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesTheDatabase() {
        QTemporaryDir dir;
        const TRun run = runQuillon({u"--data-dir"_s, dir.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.startsWith(u"shown "_s));
        QVERIFY(QFile::exists(dir.filePath(u"Quillon.qdb"_s)));
    }

    void secondStartLeavesACurrentDatabaseAlone() {
        QTemporaryDir dir;
        QCOMPARE(runQuillon({u"--data-dir"_s, dir.path()}).exitCode, 0);
        const QByteArray before = digest(dir.filePath(u"Quillon.qdb"_s));
        const TRun run = runQuillon({u"--data-dir"_s, dir.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(digest(dir.filePath(u"Quillon.qdb"_s)), before);
    }

    void refusedStart_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("message");
        QTest::newRow("database folder missing") << u"missing-folder"_s << u"gone/Quillon.qdb"_s;
        QTest::newRow("not a database") << u"not-a-database"_s << QString();
        QTest::newRow("version 0.9")
            << u"version-0.9"_s
            << u"This file version is no longer supported and Quillon will close, please "
               "contact Brackwell support"_s;
    }

    // Start-up stops before any window, says why, and leaves the file exactly as it was.
    void refusedStart() {
        QFETCH(QString, fixture);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString db = dir.filePath(u"Quillon.qdb"_s);
        if (fixture == u"missing-folder"_s) {
            writeFile(dir.filePath(u"settings.ini"_s),
                      "[Program]\r\nDB=" + dir.filePath(u"gone/Quillon.qdb"_s).toLocal8Bit() +
                          "\r\n");
        } else if (fixture == u"not-a-database"_s) {
            writeFile(db,
                      QByteArray("Dear Mrs Holt,\r\nthank you for your letter.\r\n").repeated(200));
        } else {
            createWithVersion(db, 0.9);
        }
        const QByteArray before = digest(db);

        const TRun run = runQuillon({u"--data-dir"_s, dir.path()});
        QVERIFY2(run.exitCode == 1, qPrintable(run.err));
        QVERIFY2(!run.out.contains(u"shown"_s), "the main window was created");
        QVERIFY(!run.err.trimmed().isEmpty());
        if (!message.isEmpty())
            QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(digest(db), before);
        QVERIFY(!QFile::exists(dir.filePath(u"gone"_s)));
    }

    void version() {
        const TRun run = runQuillon({u"--version"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral(QUILLON_VERSION_STRING)), qPrintable(run.out));
    }

    void help() {
        const TRun run = runQuillon({u"--help"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(u"--data-dir"_s));
    }

    void unknownOption() {
        const TRun run = runQuillon({u"--no-such-option"_s});
        QVERIFY(run.exitCode != 0);
        QVERIFY(run.err.contains(u"no-such-option"_s));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
