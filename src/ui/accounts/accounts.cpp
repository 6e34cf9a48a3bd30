#include "accounts/accounts.h"

#include "shell/pendingnote.h"

#include <QLabel>
#include <QVBoxLayout>

TfmeAccounts::TfmeAccounts(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmeAccounts"));
    setAccessibleName(QStringLiteral("Accounts"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PendingNote(this, QStringLiteral("Accounts")));
}
