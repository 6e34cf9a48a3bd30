// The client records view driven through its real widgets on a real database: the modes of
// the details page, the quick search and the client list.

// The case tables read best with plain string literals.
#undef QT_NO_CAST_FROM_ASCII

#include "clientdbfixture.h"
#include "data/client.h"
#include "records/clientlist.h"
#include "records/clientlistmodel.h"
#include "records/records.h"
#include "shell/boundcontrols.h"
#include "shell/messages.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void modes_data();
    void modes();
    void quickSearch_data();
    void quickSearch();
    void quickSearchNumberOpensClient();
    void listShowsAddressOnOneLineAndKeepsSelection();
    void saveLeavesListUntilRefresh();
    void addStoresEveryField();
    void deleteRemovesDocumentsAndNotesButKeepsAccounts();
    void otherLabelsFollowSettings();

private:
    TfmeRecords* makeView();
    QList<int> listedIds() const;
    template <typename T> T* find(const char* name) const {
        T* w = m_view->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QLineEdit* field(const char* name) const { return find<TLabelledEdit>(name)->edit(); }

    std::unique_ptr<TClientDbFixture> m_db;
    std::unique_ptr<TfmeRecords> m_view;
    int m_alpha = 0;
    QMap<QString, int> m_ids;
};

void TestRecords::init() {
    TMessages::setTesting(true);
    TMessages::shown().clear();
    m_db = std::make_unique<TClientDbFixture>();
    const struct {
        const char* key;
        QString name, address, contact, office;
    } clients[] = {
        {"alpha", QStringLiteral("Alpha Ltd"), QStringLiteral("1 High St\r\nLeeds\nLS1 1AA"),
         QStringLiteral("Ann Smith"), QStringLiteral("0113 496 0000")},
        {"quoted", QStringLiteral("Beta \"Quoted\" Co"), QString(), QStringLiteral("Bob"),
         QString()},
        {"percent", QStringLiteral("100% Organic"), QString(), QString(), QString()},
        {"hundred", QStringLiteral("Percentage 1000 Ltd"), QString(), QString(), QString()},
        {"underscore", QStringLiteral("under_score ltd"), QString(), QString(), QString()},
        {"harris", QStringLiteral("Harris Partners"), QString(), QString(), QString()},
        {"emile", QStringLiteral("Émile Café"), QStringLiteral("Rue de la Paix"), QString(),
         QString()},
        {"emoji", QStringLiteral("Smiley 🙂 Ltd"), QString(), QString(), QString()},
        {"hebrew", QStringLiteral("שלום בע\"מ"), QStringLiteral("תל אביב"), QString(), QString()},
        {"minus", QStringLiteral("Minus -1 Trading"), QString(), QString(), QString()},
    };
    for (const auto& c : clients)
        m_ids[QLatin1String(c.key)] =
            TClientDbFixture::addClient(c.name, c.address, c.contact, c.office);
    m_alpha = m_ids[QStringLiteral("alpha")];
    m_view.reset(makeView());
}

void TestRecords::cleanup() {
    m_view.reset();
    m_db.reset();
}

TfmeRecords* TestRecords::makeView() {
    auto* view = new TfmeRecords;
    view->resize(900, 600);
    view->show();
    QCoreApplication::processEvents(); // the first list load runs from the event loop
    return view;
}

QList<int> TestRecords::listedIds() const {
    auto* model = qobject_cast<TClientListModel*>(find<QTableView>("lvSearchResults")->model());
    QList<int> ids;
    for (int r = 0; r < model->rowCount(); ++r)
        ids << model->idAt(r);
    return ids;
}

void TestRecords::modes_data() {
    // Steps: open:<key> (the public operation), menuNew (the main window's new-client command),
    // new/edit/print/delete (a click on that button), type:<name>, answer:<Yes|No|Ok|Cancel>.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("newCaption");
    QTest::addColumn<QString>("editCaption");
    QTest::addColumn<bool>("editEnabled");
    QTest::addColumn<bool>("printDeleteEnabled");
    QTest::addColumn<QString>("tabs"); // '1' = tab shown, by page
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("companyName");
    QTest::addColumn<QString>("message");

    QTest::newRow("start") << QStringList() << "Add"
                           << "Cancel" << false << false << "110000" << 0 << false << ""
                           << "";
    QTest::newRow("viewing") << QStringList{"open:alpha"} << "New"
                             << "Edit" << true << true << "111111" << 1 << true << "Alpha Ltd"
                             << "";
    QTest::newRow("new from viewing") << QStringList{"open:alpha", "new"} << "Add"
                                      << "Cancel" << true << false << "000000" << 1 << false << ""
                                      << "";
    QTest::newRow("cancel new returns to client")
        << QStringList{"open:alpha", "new", "type:Typed", "edit"} << "New"
        << "Edit" << true << true << "111111" << 1 << true << "Alpha Ltd"
        << "";
    QTest::newRow("menu new from start")
        << QStringList{"menuNew"} << "Add"
        << "Cancel" << true << false << "000000" << 1 << false << ""
        << "";
    QTest::newRow("menu new while editing")
        << QStringList{"open:alpha", "edit", "menuNew"} << "Add"
        << "Cancel" << true << false << "000000" << 1 << false << ""
        << "";
    QTest::newRow("cancel new with no client: blank page, editable")
        << QStringList{"menuNew", "edit"} << "Add"
        << "Cancel" << false << false << "110000" << 1 << false << ""
        << "";
    QTest::newRow("editing") << QStringList{"open:alpha", "edit"} << "Cancel"
                             << "Save" << true << false << "000000" << 1 << false << "Alpha Ltd"
                             << "";
    QTest::newRow("save") << QStringList{"open:alpha", "edit", "type:Alpha Renamed", "edit"}
                          << "New"
                          << "Edit" << true << true << "111111" << 1 << true << "Alpha Renamed"
                          << "";
    QTest::newRow("save without a name stays editing")
        << QStringList{"open:alpha", "edit", "type:", "edit"} << "Cancel"
        << "Save" << true << false << "000000" << 1 << false << ""
        << "A Company name is required for each record";
    QTest::newRow("cancel edit discards")
        << QStringList{"open:alpha", "edit", "type:Changed", "new"} << "New"
        << "Edit" << true << true << "111111" << 1 << true << "Alpha Ltd"
        << "";
    QTest::newRow("add") << QStringList{"menuNew", "type:Zeta Ltd", "new"} << "New"
                         << "Edit" << true << true << "111111" << 1 << true << "Zeta Ltd"
                         << "";
    QTest::newRow("add from start") << QStringList{"type:Zeta Ltd", "new"} << "New"
                                    << "Edit" << true << true << "111111" << 1 << true << "Zeta Ltd"
                                    << "";
    QTest::newRow("add without a name")
        << QStringList{"menuNew", "type:   ", "new"} << "Add"
        << "Cancel" << true << false << "000000" << 1 << false << "   "
        << "A Company name is required for each record";
    QTest::newRow("add duplicate, cancelled")
        << QStringList{"menuNew", "type:ALPHA ltd", "answer:Cancel", "new"} << "Add"
        << "Cancel" << true << false << "000000" << 1 << false << "ALPHA ltd"
        << "A record already exists with this company name, continue to create this record?";
    QTest::newRow("add duplicate, confirmed")
        << QStringList{"menuNew", "type:ALPHA ltd", "answer:Ok", "new"} << "New"
        << "Edit" << true << true << "111111" << 1 << true << "ALPHA ltd"
        << "A record already exists with this company name, continue to create this record?";
    QTest::newRow("delete") << QStringList{"open:alpha", "answer:Yes", "delete"} << "New"
                            << "Cancel" << false << false << "110000" << 1 << true << ""
                            << "Are you sure you want to delete this client?";
    QTest::newRow("delete declined")
        << QStringList{"open:alpha", "answer:No", "delete"} << "New"
        << "Edit" << true << true << "111111" << 1 << true << "Alpha Ltd"
        << "Are you sure you want to delete this client?";
    QTest::newRow("new after delete")
        << QStringList{"open:alpha", "answer:Yes", "delete", "new"} << "Add"
        << "Cancel" << true << false << "000000" << 1 << false << ""
        << "Are you sure you want to delete this client?";
}

void TestRecords::modes() {
    QFETCH(QStringList, steps);
    QFETCH(QString, newCaption);
    QFETCH(QString, editCaption);
    QFETCH(bool, editEnabled);
    QFETCH(bool, printDeleteEnabled);
    QFETCH(QString, tabs);
    QFETCH(int, page);
    QFETCH(bool, readOnly);
    QFETCH(QString, companyName);
    QFETCH(QString, message);

    auto* btnNew = find<QPushButton>("btnNewClient");
    auto* btnEdit = find<QPushButton>("btnEditClient");
    auto* btnPrint = find<QPushButton>("btnPrintClient");
    auto* btnDelete = find<QPushButton>("btnDeleteClient");
    QLineEdit* name = field("ledtCompanyName");
    for (const QString& step : steps) {
        const QString arg = step.section(u':', 1);
        if (step.startsWith(QLatin1String("open:")))
            m_view->OpenClient(m_ids.value(arg));
        else if (step == QLatin1String("menuNew")) {
            m_view->btnNewClientClick();
            m_view->ShowBlankClient();
        } else if (step == QLatin1String("new"))
            QTest::mouseClick(btnNew, Qt::LeftButton);
        else if (step == QLatin1String("edit"))
            QTest::mouseClick(btnEdit, Qt::LeftButton);
        else if (step == QLatin1String("delete"))
            QTest::mouseClick(btnDelete, Qt::LeftButton);
        else if (step.startsWith(QLatin1String("type:"))) {
            QVERIFY2(!name->isReadOnly(), qPrintable(step));
            name->selectAll();
            QTest::keyClicks(name, arg);
            if (arg.isEmpty())
                name->clear();
        } else if (step.startsWith(QLatin1String("answer:"))) {
            const QMessageBox::StandardButton answer =
                arg == QLatin1String("Yes")  ? QMessageBox::Yes
                : arg == QLatin1String("No") ? QMessageBox::No
                : arg == QLatin1String("Ok") ? QMessageBox::Ok
                                             : QMessageBox::Cancel;
            TMessages::setNextAnswer(answer);
        }
    }

    QCOMPARE(btnNew->text(), newCaption);
    QCOMPARE(btnEdit->text(), editCaption);
    QVERIFY(btnNew->isEnabled());
    QCOMPARE(btnEdit->isEnabled(), editEnabled);
    QCOMPARE(btnPrint->isEnabled(), printDeleteEnabled);
    QCOMPARE(btnDelete->isEnabled(), printDeleteEnabled);
    QString shown;
    for (int i = 0; i < m_view->pcRecords()->count(); ++i)
        shown += m_view->pcRecords()->isTabVisible(i) ? u'1' : u'0';
    QCOMPARE(shown, tabs);
    QCOMPARE(m_view->pcRecords()->currentIndex(), page);
    QVERIFY(m_view->pcRecords()->currentWidget()->isVisible());
    QCOMPARE(name->isReadOnly(), readOnly);
    QCOMPARE(find<QPlainTextEdit>("memAddress")->isReadOnly(), readOnly);
    QCOMPARE(name->text(), companyName);
    QCOMPARE(TMessages::shown().isEmpty() ? QString() : TMessages::shown().last(), message);
    // What the page shows is what the database holds for the open client.
    if (readOnly && m_view->Client().id > 0) {
        TQuery q(QStringLiteral("SELECT ledtCompanyName FROM client WHERE id = ?"));
        q.bind(m_view->Client().id).exec();
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), companyName);
    }
}

void TestRecords::quickSearch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected"); // client keys, in id order

    QTest::newRow("empty lists all")
        << "" << QStringList{"alpha",  "quoted", "percent", "hundred", "underscore",
                             "harris", "emile",  "emoji",   "hebrew",  "minus"};
    QTest::newRow("part of a name, any case")
        << "ltd" << QStringList{"alpha", "hundred", "underscore", "emoji"};
    QTest::newRow("contact") << "smith" << QStringList{"alpha"};
    QTest::newRow("address across lines") << "leeds" << QStringList{"alpha"};
    QTest::newRow("office number") << "496 0" << QStringList{"alpha"};
    QTest::newRow("number no client has is searched as text") << "0113" << QStringList{"alpha"};
    QTest::newRow("minus one as text") << "-1" << QStringList{"minus"};
    QTest::newRow("double quote") << "\"Quoted\"" << QStringList{"quoted"};
    QTest::newRow("lone double quote") << "\"" << QStringList{"quoted", "hebrew"};
    QTest::newRow("percent is literal") << "100%" << QStringList{"percent"};
    QTest::newRow("underscore is literal") << "r_s" << QStringList{"underscore"};
    QTest::newRow("single quote and SQL") << "' OR 1=1 --" << QStringList();
    QTest::newRow("accented, other case") << "ÉMILE" << QStringList{"emile"};
    QTest::newRow("emoji") << "🙂" << QStringList{"emoji"};
    QTest::newRow("right-to-left") << "בע\"מ" << QStringList{"hebrew"};
    QTest::newRow("right-to-left address") << "אביב" << QStringList{"hebrew"};
    QTest::newRow("very long text") << QString(20000, u'x') << QStringList();
    QTest::newRow("no match") << "nothing like this" << QStringList();
}

void TestRecords::quickSearch() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QList<int> ids;
    for (const QString& key : expected)
        ids << m_ids.value(key);

    QLineEdit* box = find<QLineEdit>("edtQuickSearch");
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return); // "Go" is the default: Enter runs it
    QCOMPARE(listedIds(), ids);
    QCOMPARE(m_view->Mode(), TRecordsMode::Start);
    QCOMPARE(box->text(), text);

    // Clear lists every client again and leaves the typed text.
    QTest::mouseClick(find<QPushButton>("btnClearSearch"), Qt::LeftButton);
    QCOMPARE(listedIds().size(), m_ids.size());
    QCOMPARE(box->text(), text);
}

void TestRecords::quickSearchNumberOpensClient() {
    QLineEdit* box = find<QLineEdit>("edtQuickSearch");
    box->setText(QStringLiteral("smith"));
    QTest::mouseClick(find<QPushButton>("btnGo"), Qt::LeftButton);
    QCOMPARE(listedIds(), QList<int>{m_alpha});

    const int hebrew = m_ids.value(QStringLiteral("hebrew"));
    box->setText(QString::number(hebrew));
    QTest::mouseClick(find<QPushButton>("btnGo"), Qt::LeftButton);
    QCOMPARE(m_view->Client().id, hebrew);
    QCOMPARE(m_view->Mode(), TRecordsMode::Viewing);
    QCOMPARE(field("ledtCompanyName")->text(), QStringLiteral("שלום בע\"מ"));
    QCOMPARE(listedIds(), QList<int>{m_alpha}); // the list's condition is kept
}

void TestRecords::listShowsAddressOnOneLineAndKeepsSelection() {
    auto* view = find<QTableView>("lvSearchResults");
    auto* model = qobject_cast<TClientListModel*>(view->model());
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->columnCount(), 5);
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"Client ID", "Company name", "Address", "Primary contact",
                                   "Office tel"}));
    const int row = model->rowOfId(m_alpha);
    QCOMPARE(model->index(row, 0).data().toString(), QString::number(m_alpha));
    QCOMPARE(model->index(row, 2).data().toString(), QStringLiteral("1 High St Leeds LS1 1AA"));

    // The selected client stays selected over Refresh, and a double click opens it.
    const int harris = m_ids.value(QStringLiteral("harris"));
    view->selectRow(model->rowOfId(harris));
    TClientDbFixture::addClient(QStringLiteral("Aardvark"));
    QTest::mouseClick(find<QPushButton>("btnRefresh"), Qt::LeftButton);
    QCOMPARE(model->rowCount(), m_ids.size() + 1);
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(model->idAt(selected.first().row()), harris);

    // The selection keeps its highlight while another control has the focus.
    const QPalette palette = view->palette();
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::Highlight),
             palette.color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::HighlightedText),
             palette.color(QPalette::Active, QPalette::HighlightedText));

    // Enter on the list opens the selected client, as a double click does.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(m_view->Client().id, harris);
    m_view->pcRecords()->setCurrentIndex(int(TfmeRecords::SearchPage));
    view->selectRow(model->rowOfId(m_alpha));
    const QRect cell =
        view->visualRect(view->selectionModel()->selectedRows().first().siblingAtColumn(1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_view->Client().id, m_alpha);
    QCOMPARE(m_view->pcRecords()->currentIndex(), int(TfmeRecords::DetailsPage));
}

void TestRecords::saveLeavesListUntilRefresh() {
    auto* model = qobject_cast<TClientListModel*>(find<QTableView>("lvSearchResults")->model());
    const int row = model->rowOfId(m_alpha);
    m_view->OpenClient(m_alpha);
    m_view->btnEditClientClick();
    field("ledtCompanyName")->setText(QStringLiteral("Alpha Renamed"));
    m_view->btnSaveClientClick();
    QCOMPARE(model->index(row, 1).data().toString(), QStringLiteral("Alpha Ltd"));
    m_view->btnRefreshClick();
    QCOMPARE(model->index(model->rowOfId(m_alpha), 1).data().toString(),
             QStringLiteral("Alpha Renamed"));
}

void TestRecords::addStoresEveryField() {
    m_view->btnNewClientClick();
    const char* const names[] = {"ledtCompanyName", "ledtPrimaryContact", "ledtPosition",
                                 "ledtOffice",      "ledtEmail",          "ledtFax",
                                 "ledtWebsite",     "ledtReference",      "ledtOther1",
                                 "ledtOther2",      "ledtOther3"};
    for (const char* name : names) {
        QLineEdit* edit = field(name);
        QCOMPARE(edit->maxLength(), 50);
        edit->setText(QString::fromLatin1(name) + QStringLiteral(" ü"));
    }
    find<QPlainTextEdit>("memAddress")->setPlainText(QStringLiteral("Line 1\nLine 2"));
    find<QPlainTextEdit>("memNotes")->setPlainText(QStringLiteral("Notes 'n' \"quotes\""));
    QTest::mouseClick(find<QPushButton>("btnNewClient"), Qt::LeftButton);
    const int id = m_view->Client().id;
    QVERIFY(id > m_ids.value(QStringLiteral("minus")));
    QCOMPARE(m_view->Mode(), TRecordsMode::Viewing);
    QVERIFY(listedIds().contains(id)); // listed under the (empty) current condition

    TQuery q(QStringLiteral("SELECT * FROM client WHERE id = ?"));
    q.bind(id).exec();
    QVERIFY(q.next());
    for (const char* name : names)
        QCOMPARE(q.value(QString::fromLatin1(name)).toString(),
                 QString::fromLatin1(name) + QStringLiteral(" ü"));
    QCOMPARE(q.value(QStringLiteral("memAddress")).toString(), QStringLiteral("Line 1\nLine 2"));
    QCOMPARE(q.value(QStringLiteral("memNotes")).toString(),
             QStringLiteral("Notes 'n' \"quotes\""));
}

void TestRecords::deleteRemovesDocumentsAndNotesButKeepsAccounts() {
    const QString id = QString::number(m_alpha);
    TQuery::execute(QStringLiteral("INSERT INTO letters (clientid) VALUES (") + id + u')');
    TQuery::execute(QStringLiteral("INSERT INTO notes (clientid) VALUES (") + id + u')');
    TQuery::execute(QStringLiteral("INSERT INTO sessions (clientid) VALUES (") + id + u')');
    TQuery::execute(QStringLiteral("INSERT INTO contacts (client_id) VALUES (") + id + u')');
    TQuery::execute(QStringLiteral("INSERT INTO accounts (client_id) VALUES (") + id + u')');
    m_view->OpenClient(m_alpha);
    TMessages::setNextAnswer(QMessageBox::Yes);
    m_view->btnDeleteClientClick();
    const QString where = QStringLiteral(" WHERE clientid = ") + id;
    QCOMPARE(
        TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM client WHERE id = ") + id), 0);
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM letters") + where), 0);
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM notes") + where), 0);
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM sessions") + where), 0);
    const QString kept = QStringLiteral(" WHERE client_id = ") + id;
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM contacts") + kept), 1);
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM accounts") + kept), 1);
    QVERIFY(!listedIds().contains(m_alpha));
    QCOMPARE(m_view->Client().id, -1);
    m_view->btnDeleteClientClick(); // nothing open: ignored without a question
    QCOMPARE(TMessages::shown().size(), 1);
}

void TestRecords::otherLabelsFollowSettings() {
    auto* other1 = find<TLabelledEdit>("ledtOther1");
    QCOMPARE(other1->caption(), QStringLiteral("Other 1"));
    m_db->settings().Other1Name = QStringLiteral("Insurer");
    m_db->settings().Other3Name = QStringLiteral("Policy no.");
    TClientDbFixture::addClient(QStringLiteral("Late arrival"));
    m_view->RefreshAfterSettings();
    QCOMPARE(other1->caption(), QStringLiteral("Insurer"));
    QCOMPARE(other1->edit()->accessibleName(), QStringLiteral("Insurer"));
    QCOMPARE(find<TLabelledEdit>("ledtOther2")->caption(), QStringLiteral("Other 2"));
    QCOMPARE(find<TLabelledEdit>("ledtOther3")->caption(), QStringLiteral("Policy no."));
    QCOMPARE(listedIds().size(), m_ids.size() + 1);
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
