#include "data/dberror.h"
#include "data/query.h"
#include "data/sqlfunctions.h"
#include "dbfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

class TestDbContainer : public QObject {
    Q_OBJECT

private:
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) {
        TQuery q(sql);
        for (const QVariant& v : binds)
            q.bind(v);
        q.exec();
        return q.next() ? q.value(0) : QVariant();
    }

private slots:
    void initTestCase() { TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR)); }

    void firstStartCopiesBlankExactly() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Quillon.qdb");
        {
            TdmAccess access(path);
            QVERIFY(!access.IsOpen());
            QCOMPARE(TdmAccess::instance(), &access);
        }
        QCOMPARE(readAll(path), readAll(QStringLiteral(QUILLON_SHARE_DIR "/blank.qdb")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Quillon.qdb")});
    }

    void existingDatabaseIsNeverOverwritten() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Quillon.qdb");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("mine");
        f.close();
        TdmAccess access(path);
        QCOMPARE(readAll(path), QByteArray("mine"));
    }

    void missingFolderFailsWithSystemText() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/absent/Quillon.qdb");
        try {
            TdmAccess access(path);
            QFAIL("no error");
        } catch (const TStartupError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("No such file or directory")),
                     qPrintable(e.message()));
        }
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/absent")));
    }

    void noDatabaseAndNoBlank() {
        QTemporaryDir dir, emptyInstall;
        TAppPaths::setInstalledDir(emptyInstall.path());
        const QString path = dir.path() + QStringLiteral("/Quillon.qdb");
        try {
            TdmAccess access(path);
            QFAIL("no error");
        } catch (const TStartupError& e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to locate database \r\rPath:") + path);
        }
        TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
    }

    void damagedFileFailsUnchanged_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray blank = readAll(QStringLiteral(QUILLON_SHARE_DIR "/blank.qdb"));
        QTest::newRow("text file") << QByteArray("Dear client,\nthis is a letter.\n").repeated(200)
                                   << QStringLiteral("file is not a database");
        QTest::newRow("truncated database")
            << blank.left(blank.size() / 2) << QStringLiteral("malformed");
    }
    void damagedFileFailsUnchanged() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/Quillon.qdb");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        TdmAccess access(path);
        try {
            access.Open();
            QFAIL("opened a damaged file");
        } catch (const TDbError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QVERIFY(!access.IsOpen());
        QCOMPARE(readAll(path), content);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Quillon.qdb")});
    }

    void caseInsensitiveEquality_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("equal");
        QTest::newRow("ascii") << QStringLiteral("Acme Ltd") << QStringLiteral("ACME ltd") << true;
        QTest::newRow("accent") << QStringLiteral("Émile") << QStringLiteral("émile") << true;
        QTest::newRow("accent upper") << QStringLiteral("émile") << QStringLiteral("ÉMILE") << true;
        QTest::newRow("greek") << QStringLiteral("Σοφία") << QStringLiteral("σοφία") << true;
        QTest::newRow("cyrillic") << QStringLiteral("Борис") << QStringLiteral("БОРИС") << true;
        QTest::newRow("accent differs")
            << QStringLiteral("Emile") << QStringLiteral("Émile") << false;
        QTest::newRow("prefix only")
            << QStringLiteral("Acme") << QStringLiteral("Acme Ltd") << false;
    }
    void caseInsensitiveEquality() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, equal);
        DbFixture db;
        TQuery ins(QStringLiteral("INSERT INTO client (ledtCompanyName) VALUES (?)"));
        ins.bind(stored).exec();
        QCOMPARE(
            scalar(QStringLiteral("SELECT count(*) FROM client WHERE ledtCompanyName = ?"), {typed})
                .toInt(),
            equal ? 1 : 0);
        QCOMPARE(SqlFunctions::compareFolded(stored, typed) == 0, equal);
    }

    void likeIgnoresCaseForEveryLetter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("escape");
        QTest::addColumn<bool>("match");
        QTest::newRow("ascii") << QStringLiteral("Acme Ltd") << QStringLiteral("%ME L%")
                               << QString() << true;
        QTest::newRow("accent") << QStringLiteral("Café Émile") << QStringLiteral("%émile")
                                << QString() << true;
        QTest::newRow("german") << QStringLiteral("Müller GmbH") << QStringLiteral("MÜLLER%")
                                << QString() << true;
        QTest::newRow("underscore")
            << QStringLiteral("Zoë") << QStringLiteral("zo_") << QString() << true;
        QTest::newRow("no match") << QStringLiteral("Acme") << QStringLiteral("%acne%") << QString()
                                  << false;
        QTest::newRow("empty pattern")
            << QStringLiteral("x") << QString(QLatin1String("")) << QString() << false;
        QTest::newRow("percent literal") << QStringLiteral("50% off") << QStringLiteral("%0\\% O%")
                                         << QStringLiteral("\\") << true;
        QTest::newRow("escaped percent is not a wildcard")
            << QStringLiteral("500 off") << QStringLiteral("%0\\% O%") << QStringLiteral("\\")
            << false;
        QTest::newRow("backtracking")
            << QStringLiteral("aaab") << QStringLiteral("%a%ab") << QString() << true;
        QTest::newRow("quote") << QStringLiteral("The \"Best\" Co") << QStringLiteral("%\"best\"%")
                               << QString() << true;
    }
    void likeIgnoresCaseForEveryLetter() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, escape);
        QFETCH(bool, match);
        DbFixture db;
        const QString sql = escape.isEmpty() ? QStringLiteral("SELECT ? LIKE ?")
                                             : QStringLiteral("SELECT ? LIKE ? ESCAPE ?");
        QVariantList binds{text, pattern};
        if (!escape.isEmpty())
            binds << escape;
        QCOMPARE(scalar(sql, binds).toInt(), match ? 1 : 0);
    }

    void dateAndNullFunctions_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("year") << QStringLiteral("year(25569.75)") << QVariant(1970);
        QTest::newRow("month") << QStringLiteral("month(45657.5)") << QVariant(12); // 2024-12-30
        QTest::newRow("month leap day")
            << QStringLiteral("month(45351)") << QVariant(2); // 2024-02-29
        QTest::newRow("int") << QStringLiteral("int(45000.99)") << QVariant(45000);
        QTest::newRow("int negative") << QStringLiteral("int(-0.25)") << QVariant(-1);
        QTest::newRow("year of null") << QStringLiteral("year(NULL) IS NULL") << QVariant(1);
        QTest::newRow("isnull null") << QStringLiteral("\"isnull\"(NULL)") << QVariant(1);
        QTest::newRow("isnull value") << QStringLiteral("\"isnull\"('')") << QVariant(0);
        QTest::newRow("iif") << QStringLiteral("iif(NULL IS NULL, 7, 8)") << QVariant(7);
    }
    void dateAndNullFunctions() {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        DbFixture db;
        QCOMPARE(scalar(QStringLiteral("SELECT ") + expression).toInt(), expected.toInt());
    }

    void compactionReplacesFileAndReopens() {
        DbFixture db;
        {
            TTransaction t;
            TQuery ins(QStringLiteral("INSERT INTO letters (\"desc\", \"file\") VALUES (?, ?)"));
            for (int i = 0; i < 50; ++i)
                ins.bind(QStringLiteral("doc %1").arg(i)).bind(QByteArray(20000, 'x')).exec();
            t.commit();
        }
        TQuery::execute(QStringLiteral("DELETE FROM letters WHERE id % 2 = 0"));
        const qint64 before = QFileInfo(db.path()).size();
        // A stale temporary file from an earlier failed run is replaced.
        const QString temp = db.dir.path() + QStringLiteral("/TEMPQuillon.qdb");
        QFile stale(temp);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale");
        stale.close();

        QVERIFY(db.access->CompactDatabase(db.path()));
        QVERIFY(db.access->IsOpen());
        QVERIFY(QFileInfo(db.path()).size() < before);
        QVERIFY(!QFileInfo::exists(temp));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM letters")).toInt(), 25);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM client WHERE ledtCompanyName = ?"),
                        {QStringLiteral("x")})
                     .toInt(),
                 0);
    }

    void compactionFailureLeavesDatabaseUntouched() {
        DbFixture db;
        TQuery::execute(QStringLiteral("INSERT INTO client (ledtCompanyName) VALUES ('Kept')"));
        const QByteArray before = readAll(db.path());
        // A folder standing at the temporary path cannot be removed or written.
        const QString temp = db.dir.path() + QStringLiteral("/TEMPQuillon.qdb");
        QVERIFY(QDir().mkpath(temp + QStringLiteral("/inside")));
        QVERIFY_THROWS_EXCEPTION(TDbError, db.access->CompactDatabase(db.path()));
        QVERIFY(db.access->IsOpen());
        QCOMPARE(readAll(db.path()), before);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM client")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDbContainer)
#include "tst_dbcontainer.moc"
