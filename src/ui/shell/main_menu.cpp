// The main window's menu and the commands behind it.
#include "data/client.h"
#include "documents/reports.h"
#include "organiser/organiser.h"
#include "records/records.h"
#include "shell/apppaths.h"
#include "shell/main.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

namespace {
// Record pages and organiser pages the menu commands open, by index.
enum RecordsPage { pgContacts = 2, pgDocuments = 3, pgNotes = 4, pgAccounts = 5 };
enum OrganiserPage { pgToday = 0, pgCalendar = 1, pgOrgContacts = 2, pgTodo = 3, pgOrgNotes = 4 };

QMenu* addMenu(QMenu* parent, const char* name, const QString& title) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QMenu* addMenu(QMenuBar* parent, const char* name, const QString& title) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

template <typename Receiver, typename Slot>
QAction* addItem(QMenu* menu, const char* name, const QString& text, Receiver* receiver,
                 Slot slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}
} // namespace

void TfrmMain::CreateMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setAccessibleName(QStringLiteral("Main menu"));

    // File
    QMenu* file = addMenu(bar, "File1", QStringLiteral("&File"));
    m_mnuNew = addMenu(file, "New1", QStringLiteral("&New"));
    connect(m_mnuNew, &QMenu::aboutToShow, this, &TfrmMain::UpdateNewMenu);

    QMenu* client = addMenu(m_mnuNew, "Client1", QStringLiteral("&Client"));
    addItem(client, "Record1", QStringLiteral("&Record"), this, [this] {
        btnRecordsClick();
        m_fmeRecords->btnNewClientClick();
        m_fmeRecords->ShowBlankClient();
        m_fmeRecords->btnEditClient()->setEnabled(true);
    });
    m_mnuNewClientContact = addItem(client, "Contact1", QStringLiteral("C&ontact"), this, [this] {
        ShowRecordsPage(pgContacts);
        m_fmeRecords->btnNewContactClick();
    });
    QMenu* clientDocument = addMenu(client, "Clientdocument1", QStringLiteral("Client &document"));
    m_mnuNewClientDocument = clientDocument->menuAction();
    addItem(clientDocument, "Usedocumenteditor1", QStringLiteral("Use document &editor"), this,
            [this] {
                ShowRecordsPage(pgDocuments);
                m_fmeRecords->Newfromtemplate1Click();
            });
    addItem(clientDocument, "Attachexternalfile1", QStringLiteral("&Attach external file"), this,
            [this] {
                ShowRecordsPage(pgDocuments);
                m_fmeRecords->Linkexternalfile1Click();
            });
    m_mnuNewClientNote =
        addItem(client, "GeneralNote1", QStringLiteral("General &note"), this, [this] {
            ShowRecordsPage(pgNotes);
            m_fmeRecords->btnNewNotesClick();
        });
    addItem(client, "Accounttransaction1", QStringLiteral("Account &transaction"), this, [this] {
        ShowRecordsPage(pgAccounts);
        m_fmeRecords->btnNewAccountClick();
    });

    QMenu* general = addMenu(m_mnuNew, "Generaldocument1", QStringLiteral("&General document"));
    addItem(general, "Usedocumenteditor2", QStringLiteral("Use document &editor"), this, [this] {
        btnReportsClick();
        m_fmeReports->Newfromtemplate1Click();
    });
    addItem(general, "Attachexternalfile2", QStringLiteral("&Attach external file"), this, [this] {
        btnReportsClick();
        m_fmeReports->Linkexternalfile1Click();
    });

    QMenu* organiser = addMenu(m_mnuNew, "Organiser1", QStringLiteral("&Organiser"));
    addItem(organiser, "Appointment1", QStringLiteral("&Appointment"), this,
            [this] { ShowOrganiserPage(pgCalendar); });
    addItem(organiser, "Contact2", QStringLiteral("&Contact"), this, [this] {
        ShowOrganiserPage(pgOrgContacts);
        m_frmOrganiser->btnNewContactClick();
    });
    addItem(organiser, "Task1", QStringLiteral("&Task"), this, [this] {
        ShowOrganiserPage(pgTodo);
        m_frmOrganiser->btnNewToDoItemClick();
    });
    addItem(organiser, "Note1", QStringLiteral("&Note"), this, [this] {
        ShowOrganiserPage(pgOrgNotes);
        m_frmOrganiser->btnNewNoteClick();
    });

    // The document editor opens here with a new general template once it exists.
    addItem(m_mnuNew, "Documenttemplate1", QStringLiteral("Document &template"), this, [] {});

    file->addSeparator();
    QAction* exit = addItem(file, "Exit1", QStringLiteral("E&xit"), this, &TfrmMain::close);
    exit->setShortcut(QKeySequence::Quit);
    exit->setMenuRole(QAction::QuitRole);

    // View
    QMenu* view = addMenu(bar, "View1", QStringLiteral("&View"));
    addItem(view, "Clientrecords1", QStringLiteral("&Client records"), this,
            &TfrmMain::btnRecordsClick);
    addItem(view, "Generaldocuments1", QStringLiteral("&General documents"), this,
            &TfrmMain::btnReportsClick);
    // The template selector opens here once it exists.
    addItem(view, "Generaltemplates1", QStringLiteral("General &templates"), this, [] {});
    QMenu* viewOrganiser = addMenu(view, "Organiser2", QStringLiteral("&Organiser"));
    connect(viewOrganiser, &QMenu::aboutToShow, this, &TfrmMain::btnOrganiserClick);
    addItem(viewOrganiser, "Today1", QStringLiteral("&Today"), this,
            [this] { ShowOrganiserPage(pgToday); });
    addItem(viewOrganiser, "Calendar1", QStringLiteral("&Calendar"), this,
            [this] { ShowOrganiserPage(pgCalendar); });
    addItem(viewOrganiser, "Contacts1", QStringLiteral("C&ontacts"), this,
            [this] { ShowOrganiserPage(pgOrgContacts); });
    addItem(viewOrganiser, "Todo1", QStringLiteral("To &do"), this,
            [this] { ShowOrganiserPage(pgTodo); });
    addItem(viewOrganiser, "Notes1", QStringLiteral("&Notes"), this,
            [this] { ShowOrganiserPage(pgOrgNotes); });
    m_mnuLindenway1 = addItem(view, "mnuLindenway1", QString(), this, &TfrmMain::btnLindenWayClick);

    // Tools: the search window and the reports dialog open here once they exist.
    QMenu* tools = addMenu(bar, "Tools1", QStringLiteral("&Tools"));
    addItem(tools, "Search1", QStringLiteral("&Search"), this, [] {});
    addItem(tools, "Reports1", QStringLiteral("&Reports"), this, [] {});
    QAction* options = addItem(tools, "Options1", QStringLiteral("&Options"), this, [this] {
        // The options dialog is shown here once it exists; what it changed is applied after.
        ApplySettings();
    });
    options->setMenuRole(QAction::PreferencesRole);

    // Help
    QMenu* help = addMenu(bar, "Help1", QStringLiteral("&Help"));
    QAction* contents = addItem(help, "Help2", QStringLiteral("&Help"), this,
                                [this] { OpenInstalledFile(QStringLiteral("quillon_help.html")); });
    contents->setShortcut(QKeySequence::HelpContents);
    addItem(help, "Userguide1", QStringLiteral("&User guide"), this,
            [this] { OpenInstalledFile(QStringLiteral("user_guide.pdf")); });
    help->addSeparator();
    // The About dialog opens here once it exists.
    QAction* about = addItem(help, "About1", QStringLiteral("&About"), this, [] {});
    about->setMenuRole(QAction::AboutRole);
}

void TfrmMain::UpdateNewMenu() {
    // Commands that add to the current client need one loaded (a new or deleted client has
    // id 0 or -1).
    const bool clientLoaded = m_fmeRecords->Client().id > 0;
    m_mnuNewClientDocument->setEnabled(clientLoaded);
    m_mnuNewClientContact->setEnabled(clientLoaded);
    m_mnuNewClientNote->setEnabled(clientLoaded);
}

void TfrmMain::ShowRecordsPage(int index) {
    btnRecordsClick();
    m_fmeRecords->pcRecords()->setCurrentIndex(index);
}

void TfrmMain::ShowOrganiserPage(int index) {
    btnOrganiserClick();
    m_frmOrganiser->PageControl1()->setCurrentIndex(index);
}

void TfrmMain::OpenInstalledFile(const QString& name) {
    const QString path = TAppPaths::programFile(name);
    // The desktop reports nothing itself when a local file cannot be opened, so we do.
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        TMessages::error(this, QStringLiteral("Unable to open \"%1\".").arg(path));
}
