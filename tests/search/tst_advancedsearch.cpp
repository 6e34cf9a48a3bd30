// The advanced client search: the criteria lines it shows, the condition it builds, the
// clients that condition finds on a real database, and the dialog driven through its widgets.

// The case tables read best with plain string literals.
#undef QT_NO_CAST_FROM_ASCII

#include "clientdbfixture.h"
#include "records/clientlist.h"
#include "records/clientlistmodel.h"
#include "records/records.h"
#include "search/advanced_condition.h"
#include "search/advanced_search.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {
// A criterion written as "field|operator|value", by positions of the two lists.
struct Criterion {
    int field;
    int oper;
    QString value;
};

TAdvancedCriteria criteriaOf(const QList<Criterion>& given) {
    TAdvancedCriteria criteria;
    for (const Criterion& s : given)
        criteria.Add(s.field, s.oper, s.value, QStringLiteral("And"));
    return criteria;
}

enum Field { CompanyName = 0, Address = 1, Office = 4, Other1 = 9, Notes = 12 };
enum Oper { EqualTo = 0, Contains = 1, NotEqualTo = 2, DoesNotContain = 3 };
} // namespace

Q_DECLARE_METATYPE(QList<Criterion>)

class TestAdvancedSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void linesAndCondition_data();
    void linesAndCondition();
    void removeStripsDanglingRelation();
    void results_data();
    void results();
    void dialogAddAndRemove();
    void dialogRefusesWhatItCannotSearch();
    void dialogUsesConfiguredOtherNames();
    void viewTakesConditionOnOkOnly();

private:
    QList<int> find(const TAdvancedCriteria& criteria) const;
    std::unique_ptr<TClientDbFixture> m_db;
    QMap<QString, int> m_ids;
};

void TestAdvancedSearch::init() {
    TMessages::setTesting(true);
    TMessages::shown().clear();
    m_db = std::make_unique<TClientDbFixture>();
    auto add = [this](const char* key, const QString& name, const QString& address,
                      const QString& office, const QString& other1, const QString& notes) {
        m_ids[QLatin1String(key)] =
            TClientDbFixture::addClient(name, address, QString(), office, other1, notes);
    };
    add("smith", QStringLiteral("Smith"), QStringLiteral("Manchester"),
        QStringLiteral("0161 555 0101"), QStringLiteral("Acme Insurance"), QString());
    add("smithsons", QStringLiteral("Smith & Sons"), QStringLiteral("Leeds"),
        QStringLiteral("0113 555 0102"), QString(), QStringLiteral("Pays late"));
    add("jones", QStringLiteral("Jones"), QStringLiteral("Salford"),
        QStringLiteral("0161 555 0103"), QStringLiteral("acme insurance"),
        QStringLiteral("50% discount"));
    add("quote", QStringLiteral("O'Brien \"Legal\""), QString(), QString(), QString(),
        QStringLiteral("x_y"));
    add("hostile", QStringLiteral("x\" OR 1=1 --"), QString(), QString(), QString(),
        QStringLiteral("'; DROP TABLE client; --"));
    // A row written by another program with nulls in its columns.
    TQuery::execute(QStringLiteral("INSERT INTO client (ledtCompanyName) VALUES ('Nulls')"));
    TQuery q(QStringLiteral("SELECT MAX(id) FROM client"));
    q.exec();
    q.next();
    m_ids[QStringLiteral("nulls")] = q.value(0).toInt();
    TQuery::execute(
        QStringLiteral("UPDATE client SET memNotes = NULL, ledtOffice = NULL WHERE id = ") +
        QString::number(m_ids[QStringLiteral("nulls")]));
}

void TestAdvancedSearch::cleanup() {
    m_db.reset();
}

QList<int> TestAdvancedSearch::find(const TAdvancedCriteria& criteria) const {
    QList<int> ids;
    const TClientListRows rows = TClientList::Load(criteria.Condition());
    for (int r = 0; r < rows.count(); ++r)
        ids << rows.id(r);
    return ids;
}

void TestAdvancedSearch::linesAndCondition_data() {
    QTest::addColumn<QList<Criterion>>("given");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QVariantList>("values");

    QTest::newRow("none") << QList<Criterion>{} << QStringList{} << "" << QVariantList{};
    QTest::newRow("one, no And") << QList<Criterion>{{CompanyName, Contains,
                                                      QStringLiteral("smith")}}
                                 << QStringList{"\"Company name\" Contains \"%smith%\" "}
                                 << " ledtCompanyName LIKE ?" << QVariantList{"%smith%"};
    QTest::newRow("equal and contains")
        << QList<Criterion>{{CompanyName, EqualTo, QStringLiteral("Smith")},
                            {Office, Contains, QStringLiteral("0161")}}
        << QStringList{"\"Company name\" Equal to \"Smith\"  And",
                       "\"Office tel\" Contains \"%0161%\" "}
        << " ledtCompanyName = ? AND ledtOffice LIKE ?" << QVariantList{"Smith", "%0161%"};
    QTest::newRow("three, negated")
        << QList<Criterion>{{Address, NotEqualTo, QStringLiteral("Leeds")},
                            {Notes, DoesNotContain, QStringLiteral("late")},
                            {Other1, EqualTo, QString()}}
        << QStringList{"\"Address\" Not equal to \"Leeds\"  And",
                       "\"Notes\" Does not contain \"%late%\"  And", "\"Other 1\" Equal to \"\" "}
        << " (memAddress IS NULL OR memAddress <> ?) AND (memNotes IS NULL OR memNotes NOT LIKE "
           "?) AND ledtOther1 = ?"
        << QVariantList{"Leeds", "%late%", ""};
    QTest::newRow("quote shown doubled, bound as typed")
        << QList<Criterion>{{CompanyName, Contains, QStringLiteral("\"Legal\"")}}
        << QStringList{"\"Company name\" Contains \"%\"\"Legal\"\"%\" "}
        << " ledtCompanyName LIKE ?" << QVariantList{"%\"Legal\"%"};
    QTest::newRow("wildcards escaped")
        << QList<Criterion>{{Notes, Contains, QStringLiteral("50%_\\")}}
        << QStringList{"\"Notes\" Contains \"%50%_\\%\" "} << " memNotes LIKE ? ESCAPE '\\'"
        << QVariantList{"%50\\%\\_\\\\%"};
}

void TestAdvancedSearch::linesAndCondition() {
    QFETCH(QList<Criterion>, given);
    QFETCH(QStringList, lines);
    QFETCH(QString, condition);
    QFETCH(QVariantList, values);
    const TAdvancedCriteria criteria = criteriaOf(given);
    QCOMPARE(criteria.Lines(), lines);
    const TClientFilter filter = criteria.Condition();
    QCOMPARE(filter.condition, condition);
    QCOMPARE(filter.values, values);
    QCOMPARE(filter.condition.count(u'?'), filter.values.size());
}

void TestAdvancedSearch::removeStripsDanglingRelation() {
    TAdvancedCriteria criteria = criteriaOf({{CompanyName, EqualTo, QStringLiteral("a")},
                                             {Office, Contains, QStringLiteral("b")},
                                             {Notes, Contains, QStringLiteral("c")}});
    criteria.Remove(2);
    QCOMPARE(criteria.Lines(), QStringList({"\"Company name\" Equal to \"a\"  And",
                                            "\"Office tel\" Contains \"%b%\" "}));
    QVERIFY(!criteria.Condition().condition.endsWith(QLatin1String("AND")));
    criteria.Remove(0);
    QCOMPARE(criteria.Lines(), QStringList({"\"Office tel\" Contains \"%b%\" "}));
    criteria.Remove(5); // no such line: nothing happens
    QCOMPARE(criteria.Count(), 1);
}

void TestAdvancedSearch::results_data() {
    QTest::addColumn<QList<Criterion>>("given");
    QTest::addColumn<QStringList>("expected");
    const QStringList all{"smith", "smithsons", "jones", "quote", "hostile", "nulls"};

    QTest::newRow("no criteria: every client") << QList<Criterion>{} << all;
    QTest::newRow("equal is whole text, any case")
        << QList<Criterion>{{CompanyName, EqualTo, QStringLiteral("SMITH")}}
        << QStringList{"smith"};
    QTest::newRow("contains") << QList<Criterion>{{CompanyName, Contains, QStringLiteral("smith")}}
                              << QStringList{"smith", "smithsons"};
    QTest::newRow("equal and contains")
        << QList<Criterion>{{CompanyName, EqualTo, QStringLiteral("Smith")},
                            {Office, Contains, QStringLiteral("0161")}}
        << QStringList{"smith"};
    QTest::newRow("not equal keeps nulls")
        << QList<Criterion>{{CompanyName, NotEqualTo, QStringLiteral("smith")}}
        << QStringList{"smithsons", "jones", "quote", "hostile", "nulls"};
    QTest::newRow("does not contain keeps nulls")
        << QList<Criterion>{{Notes, DoesNotContain, QStringLiteral("late")}}
        << QStringList{"smith", "jones", "quote", "hostile", "nulls"};
    QTest::newRow("other field, any case")
        << QList<Criterion>{{Other1, EqualTo, QStringLiteral("ACME insurance")}}
        << QStringList{"smith", "jones"};
    QTest::newRow("percent is literal")
        << QList<Criterion>{{Notes, Contains, QStringLiteral("50%")}} << QStringList{"jones"};
    QTest::newRow("underscore is literal")
        << QList<Criterion>{{Notes, Contains, QStringLiteral("x_y")}} << QStringList{"quote"};
    QTest::newRow("underscore matches no other character")
        << QList<Criterion>{{CompanyName, Contains, QStringLiteral("Smith_")}} << QStringList{};
    QTest::newRow("double and single quotes")
        << QList<Criterion>{{CompanyName, EqualTo, QStringLiteral("O'Brien \"Legal\"")}}
        << QStringList{"quote"};
    QTest::newRow("injection text is only text")
        << QList<Criterion>{{CompanyName, EqualTo, QStringLiteral("x\" OR 1=1 --")}}
        << QStringList{"hostile"};
    QTest::newRow("SQL keywords found as text")
        << QList<Criterion>{{Notes, Contains, QStringLiteral("DROP TABLE client;")}}
        << QStringList{"hostile"};
    QTest::newRow("empty value equals empty text")
        << QList<Criterion>{{Address, EqualTo, QString()}}
        << QStringList{"quote", "hostile", "nulls"};
}

void TestAdvancedSearch::results() {
    QFETCH(QList<Criterion>, given);
    QFETCH(QStringList, expected);
    QList<int> ids;
    for (const QString& key : expected)
        ids << m_ids.value(key);
    QCOMPARE(find(criteriaOf(given)), ids);
    QCOMPARE(TClientDbFixture::count(QStringLiteral("SELECT COUNT(*) FROM client")), 6);
}

void TestAdvancedSearch::dialogAddAndRemove() {
    TfrmAdvancedSearch dialog;
    dialog.show();
    auto* fields = dialog.findChild<QListWidget*>(QStringLiteral("lbFields"));
    auto* opers = dialog.findChild<QComboBox*>(QStringLiteral("cmbOpers"));
    auto* value = dialog.findChild<QLineEdit*>(QStringLiteral("edtCondition"));
    auto* lines = dialog.findChild<QListWidget*>(QStringLiteral("lbCriteria"));
    QCOMPARE(fields->count(), 13);
    QCOMPARE(opers->currentText(), QStringLiteral("Equal to"));
    QVERIFY(dialog.findChild<QComboBox*>(QStringLiteral("cmbRelation"))->isHidden());

    fields->setCurrentRow(0);
    value->setText(QStringLiteral("Smith"));
    QTest::keyClick(value, Qt::Key_Return); // "Add >>" is the default button
    fields->setCurrentRow(4);
    opers->setCurrentIndex(1);
    value->setText(QStringLiteral("0161"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button3")), Qt::LeftButton);
    QCOMPARE(lines->count(), 2);
    QCOMPARE(lines->item(0)->text(), QStringLiteral("\"Company name\" Equal to \"Smith\"  And"));
    QCOMPARE(lines->item(1)->text(), QStringLiteral("\"Office tel\" Contains \"%0161%\" "));

    lines->setCurrentRow(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button4")), Qt::LeftButton);
    QCOMPARE(lines->count(), 1);
    QCOMPARE(lines->item(0)->text(), QStringLiteral("\"Company name\" Equal to \"Smith\" "));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(lines->count(), 0);
    dialog.BuildCondition();
    QVERIFY(dialog.Condition().isEmpty());
}

void TestAdvancedSearch::dialogRefusesWhatItCannotSearch() {
    TfrmAdvancedSearch dialog;
    dialog.show();
    auto* fields = dialog.findChild<QListWidget*>(QStringLiteral("lbFields"));
    auto* opers = dialog.findChild<QComboBox*>(QStringLiteral("cmbOpers"));
    auto* lines = dialog.findChild<QListWidget*>(QStringLiteral("lbCriteria"));
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("Button3"));

    // No field chosen.
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(lines->count(), 0);
    QCOMPARE(TMessages::shown().last(),
             QStringLiteral("You have not selected an item from the list"));

    // A typed operator that is none of the four never reaches the condition.
    fields->setCurrentRow(0);
    opers->setEditText(QStringLiteral("LIKE \"x\" OR 1=1 --"));
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(lines->count(), 0);
    QVERIFY(
        TMessages::shown().last().startsWith(QLatin1String("Choose a condition from the list")));

    // One of the four typed in another case is that operator.
    opers->setEditText(QStringLiteral("does not contain"));
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(lines->count(), 1);
    QCOMPARE(dialog.Criteria().Item(0).oper, int(DoesNotContain));
    QCOMPARE(lines->item(0)->text(), QStringLiteral("\"Company name\" Does not contain \"%%\" "));

    // Remove with no line selected.
    lines->clearSelection();
    lines->setCurrentRow(-1);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button4")), Qt::LeftButton);
    QCOMPARE(lines->count(), 1);
    QCOMPARE(TMessages::shown().last(),
             QStringLiteral("You have not selected an item from the list"));
}

void TestAdvancedSearch::dialogUsesConfiguredOtherNames() {
    TfrmAdvancedSearch dialog;
    auto* fields = dialog.findChild<QListWidget*>(QStringLiteral("lbFields"));
    m_db->settings().Other1Name = QStringLiteral("Insurer");
    dialog.show();
    QCOMPARE(fields->item(9)->text(), QStringLiteral("Insurer"));
    QCOMPARE(fields->item(10)->text(), m_db->settings().Other2Name);
    fields->setCurrentRow(9);
    dialog.findChild<QLineEdit*>(QStringLiteral("edtCondition"))
        ->setText(QStringLiteral("Acme insurance"));
    dialog.Button3Click();
    auto* lines = dialog.findChild<QListWidget*>(QStringLiteral("lbCriteria"));
    QCOMPARE(lines->item(0)->text(), QStringLiteral("\"Insurer\" Equal to \"Acme insurance\" "));
    dialog.BuildCondition();
    QCOMPARE(dialog.Condition().condition, QStringLiteral(" ledtOther1 = ?"));

    // A later change of the name shows on the next use, in the list and in the criteria.
    dialog.hide();
    m_db->settings().Other1Name = QStringLiteral("Broker");
    dialog.show();
    QCOMPARE(fields->item(9)->text(), QStringLiteral("Broker"));
    QCOMPARE(lines->item(0)->text(), QStringLiteral("\"Broker\" Equal to \"Acme insurance\" "));
}

void TestAdvancedSearch::viewTakesConditionOnOkOnly() {
    TfmeRecords view;
    QCoreApplication::processEvents();
    auto* model = qobject_cast<TClientListModel*>(
        view.findChild<QTableView*>(QStringLiteral("lvSearchResults"))->model());
    QCOMPARE(model->rowCount(), 6);
    TfrmAdvancedSearch* dialog = view.AdvancedSearch();
    auto press = [dialog](const char* button) {
        QTimer::singleShot(0, dialog, [dialog, button] {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        });
    };

    // Build a criterion, then Cancel: the list is unchanged and the criterion kept.
    dialog->findChild<QListWidget*>(QStringLiteral("lbFields"))->setCurrentRow(0);
    dialog->findChild<QLineEdit*>(QStringLiteral("edtCondition"))->setText(QStringLiteral("Jones"));
    dialog->Button3Click();
    press("Button2");
    view.btnAdvSearchClick();
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(dialog->findChild<QListWidget*>(QStringLiteral("lbCriteria"))->count(), 1);

    press("Button1");
    QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("btnAdvSearch")), Qt::LeftButton);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->idAt(0), m_ids.value(QStringLiteral("jones")));

    // OK with no criteria lists every client again.
    dialog->Button5Click();
    press("Button1");
    view.btnAdvSearchClick();
    QCOMPARE(model->rowCount(), 6);
}

QTEST_MAIN(TestAdvancedSearch)
#include "tst_advancedsearch.moc"
