#include "records/records.h"

#include "data/client.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

// Placeholder until the client records view lands: the six pages in order, empty.
TfmeRecords::TfmeRecords(QWidget* parent) : QWidget(parent), m_client(new TClient) {
    setObjectName(QStringLiteral("fmeRecords"));
    auto* layout = new QVBoxLayout(this);
    m_pcRecords = new QTabWidget(this);
    m_pcRecords->setObjectName(QStringLiteral("pcRecords"));
    for (const char* caption : {"Search", "Client details", "Client contacts",
                                "Client documents and files", "General client notes",
                                "Client accounts"}) {
        m_pcRecords->addTab(new QWidget, QString::fromLatin1(caption));
    }
    layout->addWidget(m_pcRecords);
    m_btnEditClient = new QPushButton(tr("Edit"), this);
    m_btnEditClient->setObjectName(QStringLiteral("btnEditClient"));
    m_btnEditClient->hide();
}

TfmeRecords::~TfmeRecords() { delete m_client; }

TClient& TfmeRecords::Client() { return *m_client; }
void TfmeRecords::OpenClient(int) {}
void TfmeRecords::ShowBlankClient() {}
void TfmeRecords::RefreshAfterSettings() {}
void TfmeRecords::btnNewClientClick() {}
void TfmeRecords::btnNewContactClick() {}
void TfmeRecords::Newfromtemplate1Click() {}
void TfmeRecords::Linkexternalfile1Click() {}
void TfmeRecords::btnNewNotesClick() {}
void TfmeRecords::btnNewAccountClick() {}
