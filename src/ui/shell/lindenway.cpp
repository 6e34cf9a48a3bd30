#include "shell/lindenway.h"

#include "shell/pendingnote.h"
#include "shell/settings.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmeLindenway::TfmeLindenway(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmeLindenway"));
    setAccessibleName(QStringLiteral("Web page"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(PendingNote(this, QStringLiteral("The web page view")));
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("lblAddress"));
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_address->setAccessibleName(QStringLiteral("Address"));
    layout->addWidget(m_address);
    auto* open = new QPushButton(QStringLiteral("Open in browser"), this);
    open->setObjectName(QStringLiteral("btnOpenInBrowser"));
    open->setAccessibleName(open->text());
    connect(open, &QPushButton::clicked, this, [this] {
        if (m_url.isValid())
            QDesktopServices::openUrl(m_url);
    });
    layout->addWidget(open, 0, Qt::AlignHCenter);
    layout->addStretch(1);
}

void TfmeLindenway::NavigateHome() {
    m_url = QUrl::fromUserInput(TAppSettings::instance().LinkWebsiteURL);
    m_address->setText(m_url.toString());
}
