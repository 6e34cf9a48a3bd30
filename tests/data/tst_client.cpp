#include "data/client.h"
#include "data/dberror.h"
#include "data/query.h"
#include "dbfixture.h"
#include "fakecontrols.h"

#include <QTest>

class TestClient : public QObject {
    Q_OBJECT

private:
    static int count(const QString& sql) {
        TQuery q(sql);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }
    static void bindAll(TClient& client, FakeClientPage& page) {
        for (auto& c : page.controls)
            client.controls.Add(c.get());
    }

private slots:
    void initTestCase() { TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR)); }

    void bindControlsWalksContainersInChildOrder() {
        FakeControl a(QStringLiteral("ledtCompanyName")),
            b(QStringLiteral("memAddress"), IBoundControl::Kind::Memo),
            c(QStringLiteral("cmbKind"), IBoundControl::Kind::Combo),
            d(QStringLiteral("dtWhen"), IBoundControl::Kind::DateTime),
            e(QStringLiteral("ledtOffice"));
        FakeNode page(IControlNode::Role::Container);
        page.add(IControlNode::Role::Other); // a label
        page.add(IControlNode::Role::Bindable, &a);
        FakeNode* panel = page.add(IControlNode::Role::Container);
        FakeNode* group = panel->add(IControlNode::Role::Container);
        group->add(IControlNode::Role::Bindable, &b);
        group->add(IControlNode::Role::Other); // a button
        panel->add(IControlNode::Role::Bindable, &c);
        page.add(IControlNode::Role::Container)->add(IControlNode::Role::Bindable, &d);
        page.add(IControlNode::Role::Bindable, &e);

        TOControls controls;
        controls.BindControls(page);
        QStringList names;
        for (int i = 0; i < controls.Count(); ++i)
            names << controls.Items(i).Name();
        QCOMPARE(names, (QStringList{QStringLiteral("ledtCompanyName"),
                                     QStringLiteral("memAddress"), QStringLiteral("cmbKind"),
                                     QStringLiteral("dtWhen"), QStringLiteral("ledtOffice")}));
        controls.BindControls(page);
        QCOMPARE(controls.Count(), 10);

        QCOMPARE(controls.FindByName(QStringLiteral("memAddress"))->Control(), &b);
        QCOMPARE(controls.FindByName(QStringLiteral("memaddress")), nullptr);
        controls.SetReadOnlyAll(true);
        QVERIFY(b.m_readOnly && controls.Items(2).ReadOnly());
    }

    void insertLoadUpdateRoundTrip() {
        DbFixture db;
        FakeClientPage page;
        TClient client;
        bindAll(client, page);
        const QString address = QStringLiteral("12 High Street\r\nLittle Wittering\r\n\r\nAB1 2CD");
        page.get(QStringLiteral("ledtCompanyName"))->setValue(QStringLiteral("O'Brien & \"Sons\""));
        page.get(QStringLiteral("memAddress"))->setValue(address);
        page.get(QStringLiteral("ledtEmail"))->setValue(QStringLiteral("info@obrien.example"));
        const int id = client.Insert();
        QVERIFY(id > 0);
        QCOMPARE(client.id, 0); // Insert leaves the object's id alone

        client.Clear();
        QCOMPARE(client.id, -1);
        QCOMPARE(page.get(QStringLiteral("memAddress"))->value().toString(), QString());
        client.Load(id);
        QCOMPARE(client.id, id);
        QCOMPARE(page.get(QStringLiteral("ledtCompanyName"))->value().toString(),
                 QStringLiteral("O'Brien & \"Sons\""));
        QCOMPARE(page.get(QStringLiteral("memAddress"))->value().toString(), address);

        const QString edited = address + QStringLiteral("\r\nUnited Kingdom");
        page.get(QStringLiteral("memAddress"))->setValue(edited);
        client.Update();
        client.Clear();
        client.Load(id);
        QCOMPARE(page.get(QStringLiteral("memAddress"))->value().toString(), edited);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM client")), 1);

        // A new row's id is above every id present.
        QVERIFY(client.Insert() > id);
    }

    void allEmptyInsertStoresEmptyTextNotNull() {
        DbFixture db;
        FakeClientPage page;
        TClient client;
        bindAll(client, page);
        const int id = client.Insert();
        QVERIFY(id > 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM client WHERE memNotes IS NULL OR "
                                      "ledtCompanyName IS NULL")),
                 0);
        page.get(QStringLiteral("memNotes"))->setValue(QStringLiteral("junk"));
        client.Load(id);
        QCOMPARE(page.get(QStringLiteral("memNotes"))->value().toString(), QString());
    }

    void nullColumnsLoadAsEmptyText() {
        DbFixture db;
        TQuery::execute(QStringLiteral("INSERT INTO client (id, ledtCompanyName, memNotes) VALUES "
                                       "(7, NULL, NULL)"));
        FakeClientPage page;
        TClient client;
        bindAll(client, page);
        page.get(QStringLiteral("memNotes"))->setValue(QStringLiteral("junk"));
        client.Load(7);
        QCOMPARE(page.get(QStringLiteral("memNotes"))->value(), QVariant(QString()));
    }

    void loadOfMissingRowChangesNothing() {
        DbFixture db;
        FakeClientPage page;
        TClient client;
        bindAll(client, page);
        page.get(QStringLiteral("ledtCompanyName"))->setValue(QStringLiteral("Typed"));
        client.id = 5;
        client.Load(999);
        QCOMPARE(client.id, 5);
        QCOMPARE(page.get(QStringLiteral("ledtCompanyName"))->value().toString(),
                 QStringLiteral("Typed"));
    }

    void updateOfMissingRowInserts() {
        DbFixture db;
        FakeClientPage page;
        TClient client;
        bindAll(client, page);
        page.get(QStringLiteral("ledtCompanyName"))->setValue(QStringLiteral("Fresh"));
        client.id = -1;
        client.Update();
        QCOMPARE(client.id, -1);
        QCOMPARE(
            count(QStringLiteral("SELECT count(*) FROM client WHERE ledtCompanyName = 'Fresh'")),
            1);
    }

    void unknownOrHostileControlNameIsRejected_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("unknown") << QStringLiteral("ledtNoSuchColumn");
        QTest::newRow("injection") << QStringLiteral("id) VALUES (1); DROP TABLE client; --");
    }
    void unknownOrHostileControlNameIsRejected() {
        QFETCH(QString, name);
        DbFixture db;
        FakeControl bad(name);
        TClient client;
        client.controls.Add(&bad);
        QVERIFY_THROWS_EXCEPTION(TDbError, client.Insert());
        QVERIFY_THROWS_EXCEPTION(TDbError, client.Load(1));
        QVERIFY_THROWS_EXCEPTION(TDbError, client.Update());
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM client")), 0);
    }

    void companyNameInUse_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("same") << QStringLiteral("Acme") << QStringLiteral("Acme") << true;
        QTest::newRow("other case") << QStringLiteral("Acme") << QStringLiteral("aCME") << true;
        QTest::newRow("accented upper")
            << QStringLiteral("Émile Zola") << QStringLiteral("ÉMILE ZOLA") << true;
        QTest::newRow("accented lower")
            << QStringLiteral("ÉMILE") << QStringLiteral("émile") << true;
        QTest::newRow("quote exact")
            << QStringLiteral("The \"Best\" Co") << QStringLiteral("the \"best\" co") << true;
        QTest::newRow("quote missing")
            << QStringLiteral("The \"Best\" Co") << QStringLiteral("The Best Co") << false;
        QTest::newRow("wildcard is literal")
            << QStringLiteral("Acme") << QStringLiteral("A%") << false;
    }
    void companyNameInUse() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, inUse);
        DbFixture db;
        TQuery ins(QStringLiteral("INSERT INTO client (ledtCompanyName) VALUES (?)"));
        ins.bind(stored).exec();
        QCOMPARE(TClient::CompanyNameInUse(typed), inUse);
    }

    void deleteCascadesToDocumentsSessionsAndNotesOnly() {
        DbFixture db;
        for (const char* sql :
             {"INSERT INTO client (id, ledtCompanyName) VALUES (1, 'Gone'), (2, 'Stays')",
              "INSERT INTO letters (clientid, \"desc\") VALUES (1, 'a'), (1, 'b'), (2, 'c')",
              "INSERT INTO sessions (clientid) VALUES (1), (2)",
              "INSERT INTO notes (clientid, \"desc\") VALUES (1, 'n'), (2, 'm')",
              "INSERT INTO contacts (client_id, Firstname) VALUES (1, 'Ann')",
              "INSERT INTO accounts (id, client_id, tvalue) VALUES (10, 1, 5.5)",
              "INSERT INTO invoice_lines (account_id, idesc) VALUES (10, 'line')"})
            TQuery::execute(QLatin1String(sql));
        TClient client;
        client.id = 1;
        client.Delete();
        QCOMPARE(client.id, 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM client")), 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters WHERE clientid = 1")), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM sessions WHERE clientid = 1")), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM notes WHERE clientid = 1")), 0);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters")), 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM contacts WHERE client_id = 1")), 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM accounts WHERE client_id = 1")), 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM invoice_lines")), 1);
    }

    void failedDeleteRemovesNothing() {
        DbFixture db;
        TQuery::execute(
            QStringLiteral("INSERT INTO client (id, ledtCompanyName) VALUES (1, 'Kept')"));
        TQuery::execute(QStringLiteral("INSERT INTO letters (clientid) VALUES (1)"));
        TQuery::execute(QStringLiteral("DROP TABLE sessions"));
        TClient client;
        client.id = 1;
        QVERIFY_THROWS_EXCEPTION(TDbError, client.Delete());
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM client")), 1);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM letters")), 1);
    }
};

QTEST_GUILESS_MAIN(TestClient)
#include "tst_client.moc"
