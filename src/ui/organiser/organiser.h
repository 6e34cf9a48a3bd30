#pragma once

#include <QWidget>

class QCalendarWidget;
class QTabWidget;

// The organiser view: the practitioner's own diary, contacts, tasks and notes on five tabs
// (0 "Today", 1 "Calendar", 2 "Contacts", 3 "To do", 4 "Notes").
class TfrmOrganiser : public QWidget {
    Q_OBJECT
public:
    explicit TfrmOrganiser(QWidget* parent = nullptr);

    QTabWidget* PageControl1() const { return m_pageControl; }
    QCalendarWidget* mcCalendar() const { return m_calendar; }

    // Stores a time-slot text still being typed, as if its slot had lost the focus.
    void CommitTimeSlots();

public slots:
    void btnNewContactClick();
    void btnNewToDoItemClick();
    void btnNewNoteClick();

private:
    QTabWidget* m_pageControl = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
