#include "data/sqlfunctions.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

// Runs the sample-data generator as a user would and reads its database back.
class TestSample : public QObject {
    Q_OBJECT

private:
    static QStringList rows(const QString& path, const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        SqlFunctions::registerAll(db, nullptr);
        sqlite3_stmt* st = nullptr;
        QStringList out;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    cols << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
                out << cols.join(QLatin1Char('|'));
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
    static QString run(const QStringList& args) {
        QTemporaryDir* dir = new QTemporaryDir;
        dir->setAutoRemove(true);
        QProcess p;
        p.start(QStringLiteral(QUILLON_BIN_DIR "/quillon-sample"),
                QStringList{QStringLiteral("--data-dir"), dir->path()} + args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return QString();
        s_dirs.append(dir);
        return dir->path() + QStringLiteral("/Quillon.qdb");
    }
    static inline QList<QTemporaryDir*> s_dirs;

private slots:
    void cleanupTestCase() { qDeleteAll(s_dirs); }

    void sameSeedSameData() {
        const QString a = run({QStringLiteral("--clients"), QStringLiteral("300"),
                               QStringLiteral("--seed"), QStringLiteral("7")});
        const QString b = run({QStringLiteral("--clients"), QStringLiteral("300"),
                               QStringLiteral("--seed"), QStringLiteral("7")});
        const QString c = run({QStringLiteral("--clients"), QStringLiteral("300"),
                               QStringLiteral("--seed"), QStringLiteral("8")});
        QVERIFY(!a.isEmpty() && !b.isEmpty() && !c.isEmpty());
        const char* all = "SELECT * FROM client ORDER BY id";
        QCOMPARE(rows(a, all).size(), 300);
        QCOMPARE(rows(a, all), rows(b, all));
        QVERIFY(rows(a, all) != rows(c, all));
        const char* docs =
            "SELECT clientid, \"desc\", letter, hex(\"file\") FROM letters ORDER BY id";
        QCOMPARE(rows(a, docs), rows(b, docs));
        QVERIFY(rows(a, "SELECT count(*) FROM letters").first().toInt() >= 300);
        // Every document belongs to a client, and every body is an RTF stream.
        QCOMPARE(rows(a, "SELECT count(*) FROM letters WHERE clientid NOT IN (SELECT id FROM "
                         "client) OR substr(\"file\", 1, 6) <> CAST('{\\rtf1' AS BLOB)")
                     .first(),
                 QStringLiteral("0"));
        QCOMPARE(rows(a, "SELECT value FROM settings").first(), QStringLiteral("1.3"));
    }

    void clientsOnlyAndVariety() {
        const QString path = run({QStringLiteral("--clients"), QStringLiteral("2000"),
                                  QStringLiteral("--no-documents")});
        QVERIFY(!path.isEmpty());
        QCOMPARE(rows(path, "SELECT count(*) FROM letters").first(), QStringLiteral("0"));
        QCOMPARE(rows(path, "SELECT count(*) FROM client").first(), QStringLiteral("2000"));
        QVERIFY(rows(path, "SELECT 1 FROM client WHERE memAddress LIKE '%' || char(13, 10) || '%'")
                    .size() > 100);
        QVERIFY(!rows(path, "SELECT 1 FROM client WHERE ledtCompanyName LIKE '%\"%'").isEmpty());
        QVERIFY(!rows(path, "SELECT 1 FROM client WHERE length(ledtCompanyName) > 60").isEmpty());
        QVERIFY(!rows(path, "SELECT 1 FROM client WHERE ledtCompanyName LIKE '%émile%'").isEmpty());
    }

    void badArgumentsFail() {
        QProcess p;
        p.start(QStringLiteral(QUILLON_BIN_DIR "/quillon-sample"),
                {QStringLiteral("--clients"), QStringLiteral("many")});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"
