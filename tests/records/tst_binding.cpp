// The client binding over real widgets: which controls a page yields, in what order, and how
// each kind of control carries, clears and locks its value.

// The case tables read best with plain string literals.
#undef QT_NO_CAST_FROM_ASCII

#include "data/ocontrol.h"
#include "shell/boundcontrols.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

// A page of its own class, as real pages are: walked although it is no plain panel.
class TPage : public QWidget {
    Q_OBJECT
};

class TestBinding : public QObject {
    Q_OBJECT

private slots:
    void collectsThroughNestedContainers();
    void valuesByKind_data();
    void valuesByKind();
    void readOnlyByKind();
    void dateTimeKeepsItsTimeOfDay();
    void labelledEditIsAccessibleByItsCaption();
};

namespace {
template <typename W> W* named(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    parent->layout()->addWidget(w);
    return w;
}

QWidget* withLayout(QWidget* w) {
    new QVBoxLayout(w);
    return w;
}
} // namespace

void TestBinding::collectsThroughNestedContainers() {
    // tab page > panel > group boxes, with labels, buttons and a nested page control that must
    // all be skipped; a frame is a panel too.
    QTabWidget tabs;
    QWidget* page = withLayout(new TPage);
    tabs.addTab(page, QStringLiteral("Client details"));
    named<QLabel>(page, "lblTop");
    named<QLineEdit>(page, "edtFirst");
    QWidget* panel = withLayout(named<QWidget>(page, "pnlMain"));
    auto* gbOne = static_cast<QGroupBox*>(withLayout(named<QGroupBox>(panel, "gbOne")));
    gbOne->layout()->addWidget(new TLabelledEdit(QStringLiteral("ledtCompanyName"),
                                                 QStringLiteral("Company name:"), gbOne));
    named<QPushButton>(gbOne, "btnInGroup");
    named<QPlainTextEdit>(gbOne, "memAddress");
    QWidget* gbTwo = withLayout(named<QGroupBox>(panel, "gbTwo"));
    QWidget* frame = withLayout(named<QFrame>(gbTwo, "pnlFrame"));
    named<QComboBox>(frame, "cmbKind");
    named<QDateTimeEdit>(frame, "dtWhen");
    QTabWidget* inner = named<QTabWidget>(page, "pcInner");
    QWidget* innerPage = withLayout(new QWidget);
    named<QLineEdit>(innerPage, "edtInsideOtherPageControl");
    inner->addTab(innerPage, QStringLiteral("Inner"));
    named<QLineEdit>(page, "edtLast");

    TOControls controls;
    controls.BindControls(TWidgetNode(page));
    QStringList names;
    for (int i = 0; i < controls.Count(); ++i)
        names << controls.Items(i).Name();
    QCOMPARE(names, QStringList({"edtFirst", "ledtCompanyName", "memAddress", "cmbKind", "dtWhen",
                                 "edtLast"}));
    // The inner edit of a labelled edit box is not bound a second time.
    QVERIFY(!controls.FindByName(QStringLiteral("ledtCompanyNameEdit")));
}

void TestBinding::valuesByKind_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");
    QTest::newRow("edit") << "edit"
                          << "Smith & Sons";
    QTest::newRow("labelled edit") << "labelled"
                                   << "Émile \"Q\" 🙂";
    QTest::newRow("memo keeps lines") << "memo"
                                      << "1 High St\nLeeds\n\nLS1 1AA";
    QTest::newRow("combo not editable") << "combo"
                                        << "Letters";
    QTest::newRow("combo editable") << "editable combo"
                                    << "Typed value";
}

void TestBinding::valuesByKind() {
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QWidget page;
    new QVBoxLayout(&page);
    QWidget* w = nullptr;
    if (kind == QLatin1String("edit"))
        w = named<QLineEdit>(&page, "ctl");
    else if (kind == QLatin1String("labelled"))
        w = new TLabelledEdit(QStringLiteral("ctl"), QStringLiteral("Caption"), &page);
    else if (kind == QLatin1String("memo"))
        w = named<QPlainTextEdit>(&page, "ctl");
    else {
        auto* combo = named<QComboBox>(&page, "ctl");
        combo->setEditable(kind == QLatin1String("editable combo"));
        combo->addItems({QStringLiteral("General"), QStringLiteral("Letters")});
        w = combo;
    }
    TOControls controls;
    controls.BindControls(TWidgetNode(&page));
    QCOMPARE(controls.Count(), 1);
    TOControl& c = controls.Items(0);
    c.SetValue(value);
    QCOMPARE(c.GetValue().toString(), value);
    c.SetValue(QVariant()); // a null column shows as empty text
    QCOMPARE(c.GetValue().toString(), QString());
    c.SetValue(value);
    c.Clear();
    QCOMPARE(c.GetValue().toString(), QString());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        QCOMPARE(combo->count(), 0); // clearing a combo box empties its list too
}

void TestBinding::readOnlyByKind() {
    QWidget page;
    new QVBoxLayout(&page);
    auto* edit = named<QLineEdit>(&page, "edt");
    auto* labelled = new TLabelledEdit(QStringLiteral("ledt"), QStringLiteral("Caption"), &page);
    page.layout()->addWidget(labelled);
    auto* memo = named<QPlainTextEdit>(&page, "mem");
    auto* combo = named<QComboBox>(&page, "cmb");
    auto* picker = named<QDateTimeEdit>(&page, "dt");
    TOControls controls;
    controls.BindControls(TWidgetNode(&page));
    QCOMPARE(controls.Count(), 5);

    controls.SetReadOnlyAll(true);
    // Text boxes stay enabled, so their text can still be selected and copied.
    QVERIFY(edit->isReadOnly() && edit->isEnabled());
    QVERIFY(labelled->edit()->isReadOnly() && labelled->edit()->isEnabled());
    QVERIFY(memo->isReadOnly() && memo->isEnabled());
    QVERIFY(memo->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(!combo->isEnabled());
    QVERIFY(!picker->isEnabled());
    for (int i = 0; i < controls.Count(); ++i)
        QVERIFY(controls.Items(i).ReadOnly());

    controls.SetReadOnlyAll(false);
    QVERIFY(!edit->isReadOnly() && !labelled->edit()->isReadOnly() && !memo->isReadOnly());
    QVERIFY(combo->isEnabled() && picker->isEnabled());
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("typed"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("typed"));
}

void TestBinding::dateTimeKeepsItsTimeOfDay() {
    QWidget page;
    new QVBoxLayout(&page);
    auto* picker = named<QDateTimeEdit>(&page, "dt");
    picker->setDateTime(QDateTime(QDate(2020, 1, 1), QTime(14, 30)));
    TOControls controls;
    controls.BindControls(TWidgetNode(&page));
    TOControl& c = controls.Items(0);

    c.SetValue(QDateTime(QDate(2024, 2, 29), QTime(9, 0)));
    QCOMPARE(picker->dateTime(), QDateTime(QDate(2024, 2, 29), QTime(14, 30)));
    c.SetValue(45000.75); // a stored day serial: 2023-03-15, its time ignored
    QCOMPARE(picker->dateTime(), QDateTime(QDate(2023, 3, 15), QTime(14, 30)));
    QCOMPARE(c.GetValue().toDateTime(), picker->dateTime());

    c.Clear(); // the current date and time
    QVERIFY(qAbs(picker->dateTime().secsTo(QDateTime::currentDateTime())) < 60);
}

void TestBinding::labelledEditIsAccessibleByItsCaption() {
    TLabelledEdit field(QStringLiteral("ledtOther1"), QStringLiteral("Other 1"));
    QCOMPARE(field.objectName(), QStringLiteral("ledtOther1"));
    QCOMPARE(field.label()->buddy(), field.edit());
    QCOMPARE(field.edit()->accessibleName(), QStringLiteral("Other 1"));
    field.setCaption(QStringLiteral("Insurer"));
    QCOMPARE(field.label()->text(), QStringLiteral("Insurer"));
    QCOMPARE(field.edit()->accessibleName(), QStringLiteral("Insurer"));
}

QTEST_MAIN(TestBinding)
#include "tst_binding.moc"
