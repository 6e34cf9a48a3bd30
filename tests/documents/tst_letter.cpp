#include "data/dberror.h"
#include "data/query.h"
#include "dbfixture.h"
#include "documents/letter.h"

#include <QRandomGenerator>
#include <QTest>
#include <memory>

class TestLetter : public QObject {
    Q_OBJECT

private:
    static int count(const QString& sql) {
        TQuery q(sql);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
    static std::unique_ptr<TLetter> make(bool templ, int owner) {
        if (templ)
            return std::make_unique<TLetterTemplate>(owner);
        return std::make_unique<TLetter>(owner);
    }

private slots:
    void initTestCase() { TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR)); }

    void saveAppendsThenUpdates_data() {
        QTest::addColumn<bool>("templ");
        QTest::addColumn<int>("owner");
        QTest::addColumn<QString>("table");
        QTest::newRow("client document") << false << 12 << QStringLiteral("letters");
        QTest::newRow("general document")
            << false << int(DocumentOwner::General) << QStringLiteral("letters");
        QTest::newRow("client template")
            << true << int(DocumentOwner::ClientTemplate) << QStringLiteral("letter_templates");
    }
    void saveAppendsThenUpdates() {
        QFETCH(bool, templ);
        QFETCH(int, owner);
        QFETCH(QString, table);
        DbFixture db;
        auto doc = make(templ, owner);
        QCOMPARE(doc->tablename, table);
        const QByteArray body("{\\rtf1\\ansi Dear \"Émile\",\\par}");
        doc->Save(QStringLiteral("Engagement \"letter\""), QStringLiteral("Letter"), body, 45000.5,
                  DocumentSource::Editor, 1, QStringLiteral("Dear \"Émile\","));
        const int first = doc->id;
        QVERIFY(first > 0);
        doc->Save(QStringLiteral("Renamed"), QString(), body + "x", 45001.25,
                  DocumentSource::Editor, 2, QStringLiteral("text"));
        QCOMPARE(doc->id, first);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM ") + table), 1);

        auto loaded = make(templ, -7);
        loaded->Load(first);
        QCOMPARE(loaded->id, first);
        QCOMPARE(loaded->clientid, -7); // Load keeps the owner given at construction
        QCOMPARE(loaded->desc, QStringLiteral("Renamed"));
        QCOMPARE(loaded->category, QString());
        QCOMPARE(loaded->type, 2);
        QCOMPARE(loaded->date, 45001.25);
        QCOMPARE(loaded->source, int(DocumentSource::Editor));
        QCOMPARE(loaded->letter, QStringLiteral("text"));
        QCOMPARE(loaded->file, body + "x");
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM ") + table +
                       QStringLiteral(" WHERE category IS NULL OR clientid <> ") +
                       QString::number(owner)),
                 0);
    }

    void addLeavesIdAndAppends() {
        DbFixture db;
        TLetter doc(3);
        doc.Add(QStringLiteral("a"), QStringLiteral("c"), QByteArray("b"), 1.0, 0, 0, QString());
        doc.Add(QStringLiteral("a"), QStringLiteral("c"), QByteArray("b"), 1.0, 0, 0, QString());
        QCOMPARE(doc.id, 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters WHERE clientid = 3")), 2);
    }

    void missingRowLoadsEmptyAndSaveAppends() {
        DbFixture db;
        TLetter doc(4);
        doc.Save(QStringLiteral("x"), QString(), QByteArray("body"), 2.0, 1, 3,
                 QStringLiteral("f.pdf"));
        doc.Load(doc.id + 100);
        QCOMPARE(doc.id, 0);
        QCOMPARE(doc.desc, QString());
        QCOMPARE(doc.type, 0);
        QCOMPARE(doc.source, 0);
        QCOMPARE(doc.date, 0.0);
        QVERIFY(doc.file.isEmpty());
        doc.Save(QStringLiteral("y"), QString(), QByteArray(), 2.0, 0, 0, QString());
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters")), 2);
    }

    void emptyBodyStoresEmptyBlob() {
        DbFixture db;
        TLetter doc(5);
        doc.Save(QStringLiteral("empty"), QString(), QByteArray(), 1.0, 0, 0, QString());
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters WHERE \"file\" IS NOT NULL AND "
                                      "length(\"file\") = 0")),
                 1);
        TLetter loaded(5);
        loaded.Load(doc.id);
        QVERIFY(loaded.file.isEmpty());
    }

    void largeAttachmentIsByteExact() {
        DbFixture db;
        QByteArray bytes(20 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator gen(42);
        gen.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        bytes[0] = '\0'; // a NUL at the start must not cut the stream
        TLetter doc(6);
        doc.Save(QStringLiteral("scan"), QString(), bytes, 1.0, DocumentSource::AttachedFile, 5,
                 QStringLiteral("scan.pdf"));
        TLetter loaded(6);
        loaded.Load(doc.id);
        QCOMPARE(loaded.file.size(), bytes.size());
        QVERIFY(loaded.file == bytes);
        QCOMPARE(loaded.letter, QStringLiteral("scan.pdf"));
    }

    void deleteRemovesOnlyThatRow() {
        DbFixture db;
        TLetterTemplate a(-2), b(-2);
        a.Save(QStringLiteral("a"), QString(), QByteArray(), 1.0, 0, 0, QString());
        b.Save(QStringLiteral("b"), QString(), QByteArray(), 1.0, 0, 0, QString());
        TLetterTemplate other(-1);
        other.Delete(a.id);
        other.Delete(a.id + 1000); // a missing row is no error
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letter_templates")), 1);
        QCOMPARE(count(QStringLiteral("SELECT id FROM letter_templates")), b.id);
    }

    void categoriesPerType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("first");
        QTest::newRow("general") << 0 << QStringLiteral("General");
        QTest::newRow("letters") << 1 << QStringLiteral("Letter");
        QTest::newRow("other") << 5 << QStringLiteral("Other");
        QTest::newRow("no row") << 9 << QString();
    }
    void categoriesPerType() {
        QFETCH(int, type);
        QFETCH(QString, first);
        DbFixture db;
        const QString categories = TLetter::GetCategories(type);
        QCOMPARE(categories.split(QStringLiteral("\r\n")).first(), first);
        QCOMPARE(categories.contains(QLatin1Char('\n')), !first.isEmpty());
    }

    void typeNames() {
        QCOMPARE(DocumentTypeNames.size(), size_t(6));
        QCOMPARE(DocumentTypeName(3), QStringLiteral("Projects"));
        QCOMPARE(DocumentTypeName(6), QString());
        QCOMPARE(DocumentTypeName(-1), QString());
    }
};

QTEST_GUILESS_MAIN(TestLetter)
#include "tst_letter.moc"
