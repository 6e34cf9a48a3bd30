#include "organiser/organiser.h"

#include "shell/pendingnote.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmOrganiser::TfrmOrganiser(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmOrganiser"));
    setAccessibleName(QStringLiteral("Organiser"));
    auto* layout = new QVBoxLayout(this);
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setAccessibleName(QStringLiteral("Organiser"));
    layout->addWidget(m_pageControl);

    const QString names[] = {QStringLiteral("Today"), QStringLiteral("Calendar"),
                             QStringLiteral("Contacts"), QStringLiteral("To do"),
                             QStringLiteral("Notes")};
    for (const QString& name : names) {
        auto* page = new QWidget;
        page->setAccessibleName(name);
        auto* pageLayout = new QHBoxLayout(page);
        pageLayout->addWidget(
            PendingNote(page, QStringLiteral("The organiser's \"%1\" page").arg(name)), 1);
        if (name == QLatin1String("Calendar")) {
            m_calendar = new QCalendarWidget(page);
            m_calendar->setObjectName(QStringLiteral("mcCalendar"));
            m_calendar->setAccessibleName(QStringLiteral("Calendar"));
            pageLayout->addWidget(m_calendar, 0, Qt::AlignTop);
        }
        m_pageControl->addTab(page, name);
    }
}

void TfrmOrganiser::CommitTimeSlots() {}
void TfrmOrganiser::btnNewContactClick() {}
void TfrmOrganiser::btnNewToDoItemClick() {}
void TfrmOrganiser::btnNewNoteClick() {}
