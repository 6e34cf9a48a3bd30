#include "records/clientdetailspage.h"

#include "shell/boundcontrols.h"
#include "shell/buttons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxFieldLength = 50;

TLabelledEdit* addField(QWidget* parent, QLayout* layout, const char* name,
                        const QString& caption) {
    auto* field = new TLabelledEdit(QString::fromLatin1(name), caption, parent);
    field->edit()->setMaxLength(kMaxFieldLength);
    layout->addWidget(field);
    return field;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TClientDetailsPage::TClientDetailsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsClientDetal"));
    auto* page = new QVBoxLayout(this);

    // The three group boxes side by side on one panel; Notes fills the lower part.
    auto* pnlDetails = new QWidget(this);
    pnlDetails->setObjectName(QStringLiteral("pnlDetails"));
    auto* columns = new QHBoxLayout(pnlDetails);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* gbClient = groupBox(pnlDetails, "gbClient", tr("Client"));
    auto* clientLayout = new QVBoxLayout(gbClient);
    m_companyName = addField(gbClient, clientLayout, "ledtCompanyName", tr("Company name:"));
    auto* lblAddress = new QLabel(tr("Address"), gbClient);
    clientLayout->addWidget(lblAddress);
    auto* memAddress = new QPlainTextEdit(gbClient);
    memAddress->setObjectName(QStringLiteral("memAddress"));
    memAddress->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memAddress->setTabChangesFocus(true);
    memAddress->setAccessibleName(lblAddress->text());
    lblAddress->setBuddy(memAddress);
    clientLayout->addWidget(memAddress, 1);
    columns->addWidget(gbClient, 1);

    auto* gbContact = groupBox(pnlDetails, "gbContact", tr("Contact information"));
    auto* contactLayout = new QVBoxLayout(gbContact);
    addField(gbContact, contactLayout, "ledtPrimaryContact", tr("Primary contact"));
    addField(gbContact, contactLayout, "ledtPosition", tr("Position/other"));
    addField(gbContact, contactLayout, "ledtOffice", tr("Office number"));
    addField(gbContact, contactLayout, "ledtEmail", tr("Primary email"));
    addField(gbContact, contactLayout, "ledtFax", tr("Fax"));
    contactLayout->addStretch();
    columns->addWidget(gbContact, 1);

    auto* gbOther = groupBox(pnlDetails, "gbOther", tr("Other"));
    auto* otherLayout = new QVBoxLayout(gbOther);
    addField(gbOther, otherLayout, "ledtWebsite", tr("Website"));
    addField(gbOther, otherLayout, "ledtReference", tr("Reference"));
    m_other[0] = addField(gbOther, otherLayout, "ledtOther1", tr("Other 1"));
    m_other[1] = addField(gbOther, otherLayout, "ledtOther2", tr("Other 2"));
    m_other[2] = addField(gbOther, otherLayout, "ledtOther3", tr("Other 3"));
    otherLayout->addStretch();
    columns->addWidget(gbOther, 1);
    page->addWidget(pnlDetails);

    auto* gbNotes = groupBox(this, "gbNotes", tr("Notes"));
    auto* notesLayout = new QVBoxLayout(gbNotes);
    auto* memNotes = new QPlainTextEdit(gbNotes);
    memNotes->setObjectName(QStringLiteral("memNotes"));
    memNotes->setAccessibleName(gbNotes->title());
    memNotes->setTabChangesFocus(true);
    notesLayout->addWidget(memNotes);
    page->addWidget(gbNotes, 1);

    auto* pnlButtons = new QWidget(this);
    pnlButtons->setObjectName(QStringLiteral("pnlClientButtons"));
    auto* buttons = new QHBoxLayout(pnlButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_btnNew = MakeButton(pnlButtons, "btnNewClient", tr("Add"), QString());
    m_btnEdit = MakeButton(pnlButtons, "btnEditClient", tr("Cancel"), QString());
    m_btnPrint =
        MakeButton(pnlButtons, "btnPrintClient", tr("Print"), tr("Print this clients details"));
    m_btnDelete = MakeButton(pnlButtons, "btnDeleteClient", tr("Delete"),
                             tr("Delete this client record and all information"));
    buttons->addWidget(m_btnNew);
    buttons->addWidget(m_btnEdit);
    buttons->addStretch();
    buttons->addWidget(m_btnPrint);
    buttons->addWidget(m_btnDelete);
    page->addWidget(pnlButtons);
}

QString TClientDetailsPage::CompanyName() const {
    return m_companyName->text();
}

void TClientDetailsPage::SetOtherCaptions(const QString& other1, const QString& other2,
                                          const QString& other3) {
    const QString names[] = {other1, other2, other3};
    for (int i = 0; i < 3; ++i) {
        const QString name = names[i].trimmed();
        m_other[i]->setCaption(name.isEmpty() ? tr("Other %1").arg(i + 1) : name);
    }
}

void TClientDetailsPage::FocusFirstField() {
    m_companyName->edit()->setFocus();
}
