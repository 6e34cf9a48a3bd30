#include "data/db_update.h"
#include "data/dberror.h"
#include "data/query.h"
#include "dbfixture.h"

#include <QSqlQuery>
#include <QTest>
#include <sqlite3.h>

// Old data files are built with plain SQLite, as an earlier version of the program left them.
class TestDbUpdate : public QObject {
    Q_OBJECT

private:
    static void makeFile(const QString& path, const QString& sql) {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        char* err = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        sqlite3_close(db);
        QVERIFY2(rc == SQLITE_OK, qPrintable(msg));
    }
    static QStringList column(const QString& sql) {
        TQuery q(sql);
        q.exec();
        QStringList out;
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void initTestCase() { TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR)); }

    void upgradesOlderFiles_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("creates");
        const QString base = QStringLiteral("CREATE TABLE settings (variable TEXT, value);"
                                            "CREATE TABLE letters (id INTEGER PRIMARY KEY);");
        for (const char* v : {"1.0", "1.1", "1.2"})
            QTest::newRow(v) << base + QStringLiteral("INSERT INTO settings VALUES "
                                                      "('datafile_version', %1);")
                                           .arg(QLatin1String(v))
                             << true;
        QTest::newRow("1.2 as text") << base + QStringLiteral("INSERT INTO settings VALUES "
                                                              "('datafile_version', '1.2');")
                                     << true;
        QTest::newRow("no version row") << base << true;
        QTest::newRow("newer 1.4") << base + QStringLiteral("INSERT INTO settings VALUES "
                                                            "('datafile_version', 1.4);")
                                   << true;
        QTest::newRow("table in upper case")
            << base + QStringLiteral("CREATE TABLE LETTER_TEMPLATES (id INTEGER PRIMARY KEY);"
                                     "INSERT INTO settings VALUES ('datafile_version', 1.1);")
            << false;
    }
    void upgradesOlderFiles() {
        QFETCH(QString, setup);
        QFETCH(bool, creates);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/old.qdb");
        makeFile(path, setup);
        TdmAccess access(path);
        access.Open();
        Tdb_update update;
        QVERIFY(update.Upgrade());
        QCOMPARE(update.ReadVersion(), 1.3);
        QCOMPARE(column(QStringLiteral("SELECT value FROM settings")),
                 QStringList{QStringLiteral("1.3")});
        const QStringList tables =
            column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name "
                                  "LIKE 'letter_templates'"));
        QCOMPARE(tables.size(), 1);
        QCOMPARE(tables.first(),
                 creates ? QStringLiteral("letter_templates") : QStringLiteral("LETTER_TEMPLATES"));
        if (creates) {
            // The table made by the upgrade is the one a new database has.
            const QStringList sql = column(
                QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'letter_templates'"));
            QCOMPARE(sql, QStringList{Tdb_update::TemplatesTableSql()});
            TQuery ins(QStringLiteral("INSERT INTO letter_templates (clientid, \"desc\", \"file\") "
                                      "VALUES (-1, 'T', ?)"));
            ins.bind(QByteArray("{\\rtf1 }")).exec();
        }
        // The next start does nothing.
        QVERIFY(update.Upgrade());
        QCOMPARE(column(QStringLiteral("SELECT value FROM settings")).size(), 1);
    }

    void blankDatabaseIsCurrent() {
        DbFixture db;
        const QByteArray before = readAll(db.path());
        Tdb_update update;
        QCOMPARE(update.ReadVersion(), 1.3);
        QVERIFY(update.Upgrade());
        QCOMPARE(column(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = "
                                       "'letter_templates'")),
                 QStringList{Tdb_update::TemplatesTableSql()});
        QCOMPARE(column(QStringLiteral("SELECT value FROM settings WHERE variable = "
                                       "'datafile_version'")),
                 QStringList{QStringLiteral("1.3")});
        QCOMPARE(column(QStringLiteral("SELECT \"type\" FROM letterTypes ORDER BY 1")),
                 (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                              QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
        db.access->Close();
        QCOMPARE(readAll(db.path()), before);
    }

    void currentVersionWritesNothing() {
        // No table list is read, so even a file missing letter_templates is left alone.
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/cur.qdb");
        makeFile(path, QStringLiteral("CREATE TABLE settings (variable TEXT, value);"
                                      "INSERT INTO settings VALUES ('datafile_version', 1.3);"));
        const QByteArray before = readAll(path);
        {
            TdmAccess access(path);
            access.Open();
            QVERIFY(Tdb_update().Upgrade());
        }
        QCOMPARE(readAll(path), before);
    }

    void version09IsRefusedUnchanged() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/old.qdb");
        makeFile(path, QStringLiteral("CREATE TABLE settings (variable TEXT, value);"
                                      "CREATE TABLE letter_templates (id INTEGER);"
                                      "INSERT INTO settings VALUES ('datafile_version', 0.9);"));
        const QByteArray before = readAll(path);
        {
            TdmAccess access(path);
            access.Open();
            try {
                Tdb_update().Upgrade();
                QFAIL("0.9 accepted");
            } catch (const TStartupError& e) {
                QCOMPARE(e.message(),
                         QStringLiteral("This file version is no longer supported and Quillon will "
                                        "close, please contact Brackwell support"));
            }
        }
        QCOMPARE(readAll(path), before);
    }

    void fileWithoutSettingsFailsWithEngineText() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/other.qdb");
        makeFile(path, QStringLiteral("CREATE TABLE something (a);"));
        TdmAccess access(path);
        access.Open();
        try {
            Tdb_update().Upgrade();
            QFAIL("no error");
        } catch (const TDbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("no such table: settings")),
                     qPrintable(e.message()));
        }
    }

    void failedCreateKeepsOldVersion() {
        // A view named like the table makes CREATE TABLE fail after the version was read.
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/old.qdb");
        makeFile(path, QStringLiteral("CREATE TABLE settings (variable TEXT, value);"
                                      "CREATE VIEW letter_templates AS SELECT 1;"
                                      "INSERT INTO settings VALUES ('datafile_version', 1.1);"));
        TdmAccess access(path);
        access.Open();
        Tdb_update update;
        QVERIFY_THROWS_EXCEPTION(TDbError, update.Upgrade());
        QCOMPARE(update.ReadVersion(), 1.1);
    }
};

QTEST_GUILESS_MAIN(TestDbUpdate)
#include "tst_dbupdate.moc"
