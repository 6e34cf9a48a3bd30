#include "search/advanced_search.h"

#include "shell/buttons.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAdvancedSearch::TfrmAdvancedSearch(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAdvancedSearch"));
    setWindowTitle(tr("Advanced search"));

    auto* gbFields = new QGroupBox(tr("Fields"), this);
    m_lbFields = new QListWidget(gbFields);
    m_lbFields->setObjectName(QStringLiteral("lbFields"));
    m_lbFields->setAccessibleName(gbFields->title());
    m_lbFields->addItems(m_criteria.FieldCaptions());
    (new QVBoxLayout(gbFields))->addWidget(m_lbFields);

    auto* gbConditions = new QGroupBox(tr("Conditions"), this);
    auto* lblOpers = new QLabel(tr("is:"), gbConditions);
    m_cmbOpers = new QComboBox(gbConditions);
    m_cmbOpers->setObjectName(QStringLiteral("cmbOpers"));
    m_cmbOpers->setEditable(true);
    m_cmbOpers->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& op : TAdvancedCriteria::Operators())
        m_cmbOpers->addItem(op.caption);
    m_cmbOpers->setCurrentIndex(0);
    m_cmbOpers->setAccessibleName(lblOpers->text());
    lblOpers->setBuddy(m_cmbOpers);
    auto* lblValue = new QLabel(tr("Value:"), gbConditions);
    m_edtCondition = new QLineEdit(gbConditions);
    m_edtCondition->setObjectName(QStringLiteral("edtCondition"));
    m_edtCondition->setAccessibleName(tr("Value"));
    lblValue->setBuddy(m_edtCondition);
    // The relation box stays hidden: every criterion is joined by "And".
    auto* lblRelation = new QLabel(tr("Relationship"), gbConditions);
    m_cmbRelation = new QComboBox(gbConditions);
    m_cmbRelation->setObjectName(QStringLiteral("cmbRelation"));
    m_cmbRelation->addItems({tr("And"), tr("Or")});
    m_cmbRelation->setAccessibleName(lblRelation->text());
    lblRelation->setBuddy(m_cmbRelation);
    lblRelation->hide();
    m_cmbRelation->hide();
    auto* conditions = new QGridLayout(gbConditions);
    conditions->addWidget(lblOpers, 0, 0);
    conditions->addWidget(m_cmbOpers, 0, 1);
    conditions->addWidget(lblValue, 1, 0);
    conditions->addWidget(m_edtCondition, 1, 1);
    conditions->addWidget(lblRelation, 2, 0);
    conditions->addWidget(m_cmbRelation, 2, 1);
    conditions->setRowStretch(3, 1);

    auto* btnAdd = MakeButton(this, "Button3", tr("Add >>"));
    btnAdd->setDefault(true); // Enter adds the criterion
    auto* btnRemove = MakeButton(this, "Button4", tr("<< Remove "));
    auto* btnRemoveAll = MakeButton(this, "Button5", tr("<< Remove all"));
    for (QPushButton* b : {btnRemove, btnRemoveAll})
        b->setAutoDefault(false);
    auto* middle = new QVBoxLayout;
    middle->addWidget(gbConditions);
    middle->addWidget(btnAdd);
    middle->addWidget(btnRemove);
    middle->addWidget(btnRemoveAll);
    middle->addStretch();

    auto* gbParameters = new QGroupBox(tr("Parameters"), this);
    m_lbCriteria = new QListWidget(gbParameters);
    m_lbCriteria->setObjectName(QStringLiteral("lbCriteria"));
    m_lbCriteria->setAccessibleName(gbParameters->title());
    (new QVBoxLayout(gbParameters))->addWidget(m_lbCriteria);

    auto* columns = new QHBoxLayout;
    columns->addWidget(gbFields, 1);
    columns->addLayout(middle);
    columns->addWidget(gbParameters, 2);

    auto* btnOk = MakeButton(this, "Button1", tr("OK"));
    auto* btnCancel = MakeButton(this, "Button2", tr("Cancel"));
    for (QPushButton* b : {btnOk, btnCancel})
        b->setAutoDefault(false);
    auto* box = new QDialogButtonBox(this);
    box->addButton(btnOk, QDialogButtonBox::AcceptRole);
    box->addButton(btnCancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(box);

    connect(btnAdd, &QPushButton::clicked, this, &TfrmAdvancedSearch::Button3Click);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmAdvancedSearch::Button4Click);
    connect(btnRemoveAll, &QPushButton::clicked, this, &TfrmAdvancedSearch::Button5Click);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        BuildCondition();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 380);
}

void TfrmAdvancedSearch::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfrmAdvancedSearch::FormShow() {
    // The Other fields always carry the names currently configured, also after a change in
    // the options, and criteria already listed follow them.
    const TAppSettings& settings = TAppSettings::instance();
    m_criteria.SetOtherNames(settings.Other1Name, settings.Other2Name, settings.Other3Name);
    const QStringList captions = m_criteria.FieldCaptions();
    for (int i = 0; i < captions.size(); ++i)
        m_lbFields->item(i)->setText(captions[i]);
    ShowCriteria(m_lbCriteria->currentRow());
}

void TfrmAdvancedSearch::ShowCriteria(int selectRow) {
    m_lbCriteria->clear();
    m_lbCriteria->addItems(m_criteria.Lines());
    if (selectRow >= m_lbCriteria->count())
        selectRow = m_lbCriteria->count() - 1;
    if (selectRow >= 0)
        m_lbCriteria->setCurrentRow(selectRow);
}

void TfrmAdvancedSearch::Button3Click() {
    const int field = m_lbFields->currentRow();
    if (field < 0 || !m_lbFields->currentItem()->isSelected()) {
        TMessages::information(this, tr("You have not selected an item from the list"));
        m_lbFields->setFocus();
        return;
    }
    // A typed condition must be one of the four; anything else would not be a valid test.
    const int oper = TAdvancedCriteria::OperatorIndex(m_cmbOpers->currentText());
    if (oper < 0) {
        TMessages::error(this, tr("Choose a condition from the list: Equal to, Contains, Not "
                                  "equal to or Does not contain"));
        m_cmbOpers->setFocus();
        return;
    }
    m_cmbOpers->setCurrentIndex(oper);
    m_criteria.Add(field, oper, m_edtCondition->text(), m_cmbRelation->currentText());
    ShowCriteria(m_criteria.Count() - 1);
}

void TfrmAdvancedSearch::Button4Click() {
    const int row = m_lbCriteria->currentRow();
    if (row < 0 || !m_lbCriteria->currentItem()->isSelected()) {
        TMessages::information(this, tr("You have not selected an item from the list"));
        return;
    }
    m_criteria.Remove(row);
    ShowCriteria(row);
}

void TfrmAdvancedSearch::Button5Click() {
    m_criteria.Clear();
    ShowCriteria(-1);
}

void TfrmAdvancedSearch::BuildCondition() {
    m_condition = m_criteria.Condition();
}
