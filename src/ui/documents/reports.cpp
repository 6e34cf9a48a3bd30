#include "documents/reports.h"

#include "shell/pendingnote.h"

#include <QLabel>
#include <QVBoxLayout>

TfmeReports::TfmeReports(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmeReports"));
    setAccessibleName(QStringLiteral("General documents"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PendingNote(this, QStringLiteral("General documents")));
}

void TfmeReports::Refresh() {}
void TfmeReports::Newfromtemplate1Click() {}
void TfmeReports::Linkexternalfile1Click() {}
