#include "accounts/accounts.h"
#include "data/client.h"
#include "documents/templateletters.h"
#include "helper_datafolder.h"
#include "organiser/organiser.h"
#include "records/records.h"
#include "shell/apppaths.h"
#include "shell/main.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
QString caption(const QAction* action) {
    return action->text().remove(QLatin1Char('&'));
}

// Captions of a menu's visible items in order; separators are left out.
QStringList captions(const QMenu* menu) {
    QStringList list;
    for (const QAction* a : menu->actions()) {
        if (!a->isSeparator() && a->isVisible())
            list << caption(a);
    }
    return list;
}

// Records the files the desktop is asked to open instead of opening them.
class TUrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTestDataFolder> m_folder;
    std::unique_ptr<TfrmMain> m_window;

    TfrmMain& window() {
        if (!m_window)
            m_window = std::make_unique<TfrmMain>();
        return *m_window;
    }
    template <typename T> T* child(const char* name) {
        T* w = window().findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no child %s", name);
        return w;
    }

private slots:
    void initTestCase() { TMessages::setTesting(true); }

    void init() {
        m_folder = std::make_unique<TTestDataFolder>();
        TMessages::shown().clear();
    }

    void cleanup() {
        m_window.reset();
        m_folder.reset();
    }

    void windowAtCreation() {
        QCOMPARE(window().windowTitle(), QStringLiteral("Quillon"));
        QCOMPARE(window().size(), QSize(843, 587));
        QCOMPARE(child<QWidget>("pnlTop")->height(), 80);
        QCOMPARE(child<QLabel>("imgCompanyLogo")->size(), QSize(250, 80));
        QCOMPARE(child<QWidget>("pnlToolMenu")->width(), 171);
        QCOMPARE(window().CurrentView(), static_cast<QWidget*>(window().fmeRecords()));
        QCOMPARE(window().frmOrganiser()->mcCalendar()->selectedDate(), QDate::currentDate());
    }

    void captionStaysQuillonAtCreation() {
        m_folder->settings().CompanyName = QStringLiteral("Harbour Street Practice");
        QCOMPARE(window().windowTitle(), QStringLiteral("Quillon"));
    }

    void toolButtonsInOrder() {
        // The visible buttons stand one above the other, the toggle above them all.
        const char* names[] = {"btnToggleToolMenu", "btnRecords", "btnReports", "btnOrganiser",
                               "btnLindenWay"};
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        int lastBottom = -1;
        for (const char* name : names) {
            auto* b = child<QAbstractButton>(name);
            QVERIFY2(b->isVisible(), name);
            QVERIFY2(b->y() > lastBottom, name);
            lastBottom = b->y() + b->height() - 1;
        }
        QCOMPARE(child<QAbstractButton>("btnRecords")->text(), QStringLiteral("Client records"));
        QCOMPARE(child<QAbstractButton>("btnReports")->text(), QStringLiteral("General documents"));
        QCOMPARE(child<QAbstractButton>("btnOrganiser")->text(), QStringLiteral("Organiser"));
        QVERIFY(!child<QAbstractButton>("btnTemplates")->isVisible());
        QVERIFY(!child<QAbstractButton>("btnAccounts")->isVisible());
    }

    void companyLogoScaledProportionally_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide") << QSize(500, 100) << QSize(250, 50);
        QTest::newRow("tall") << QSize(100, 200) << QSize(40, 80);
        QTest::newRow("small is enlarged") << QSize(50, 20) << QSize(200, 80);
    }

    void companyLogoScaledProportionally() {
        QFETCH(QSize, picture);
        QFETCH(QSize, shown);
        TAppSettings& s = m_folder->settings();
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QVERIFY(image.save(s.ImagesFolder + u"practice.png"_s));
        s.CompanyLogo = u"practice.png"_s;
        window().ApplySettings();
        const QPixmap pixmap = child<QLabel>("imgCompanyLogo")->pixmap();
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), shown);
    }

    void noLogoAtAll() {
        // Neither the chosen logo nor the installed defaults: the strip stays empty.
        QTemporaryDir empty;
        TAppPaths::setInstalledDir(empty.path());
        m_folder->settings().CompanyLogo = u"gone.jpg"_s;
        window().ApplySettings();
        TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
        QVERIFY(child<QLabel>("imgCompanyLogo")->pixmap().isNull());
    }

    void hints() {
        QCOMPARE(child<QAbstractButton>("btnToggleToolMenu")->toolTip(),
                 QStringLiteral("Show / hide this toolbar"));
        QCOMPARE(child<QAbstractButton>("btnRecords")->toolTip(),
                 QStringLiteral("Details of all your clients,\ntheir progress and any "
                                "\ncomunications with them"));
        QCOMPARE(child<QAbstractButton>("btnReports")->toolTip(),
                 QStringLiteral("General Letters,repots and other documents\nNot associated "
                                "with any one client"));
    }

    void menuCaptions_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << u"File1"_s << QStringList{u"New"_s, u"Exit"_s};
        QTest::newRow("File > New") << u"New1"_s
                                    << QStringList{u"Client"_s, u"General document"_s,
                                                   u"Organiser"_s, u"Document template"_s};
        QTest::newRow("File > New > Client")
            << u"Client1"_s
            << QStringList{u"Record"_s, u"Contact"_s, u"Client document"_s, u"General note"_s,
                           u"Account transaction"_s};
        QTest::newRow("File > New > Client > Client document")
            << u"Clientdocument1"_s
            << QStringList{u"Use document editor"_s, u"Attach external file"_s};
        QTest::newRow("File > New > General document")
            << u"Generaldocument1"_s
            << QStringList{u"Use document editor"_s, u"Attach external file"_s};
        QTest::newRow("File > New > Organiser")
            << u"Organiser1"_s << QStringList{u"Appointment"_s, u"Contact"_s, u"Task"_s, u"Note"_s};
        QTest::newRow("View") << u"View1"_s
                              << QStringList{u"Client records"_s, u"General documents"_s,
                                             u"General templates"_s, u"Organiser"_s,
                                             u"Web search"_s};
        QTest::newRow("View > Organiser")
            << u"Organiser2"_s
            << QStringList{u"Today"_s, u"Calendar"_s, u"Contacts"_s, u"To do"_s, u"Notes"_s};
        QTest::newRow("Tools") << u"Tools1"_s
                               << QStringList{u"Search"_s, u"Reports"_s, u"Options"_s};
        QTest::newRow("Help") << u"Help1"_s << QStringList{u"Help"_s, u"User guide"_s, u"About"_s};
    }

    void menuCaptions() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        auto* m = window().findChild<QMenu*>(menu);
        QVERIFY(m);
        QCOMPARE(captions(m), items);
    }

    void menuBarOrder() {
        QStringList top;
        for (const QAction* a : window().menuBar()->actions()) {
            if (a->isVisible())
                top << caption(a);
        }
        QCOMPARE(top, (QStringList{u"File"_s, u"View"_s, u"Tools"_s, u"Help"_s}));
    }

    void newMenuFollowsLoadedClient_data() {
        QTest::addColumn<int>("clientId");
        QTest::addColumn<bool>("clientItems");
        QTest::newRow("new client being entered") << 0 << false;
        QTest::newRow("client deleted") << -1 << false;
        QTest::newRow("client loaded") << 5 << true;
    }

    void newMenuFollowsLoadedClient() {
        QFETCH(int, clientId);
        QFETCH(bool, clientItems);
        auto* newMenu = child<QMenu>("New1");
        // The rule is applied each time the submenu opens, also after an earlier opening.
        window().fmeRecords()->Client().id = clientId > 0 ? -1 : 7;
        emit newMenu->aboutToShow();
        window().fmeRecords()->Client().id = clientId;
        emit newMenu->aboutToShow();

        auto* client = child<QMenu>("Client1");
        for (QAction* a : client->actions()) {
            const QString c = caption(a);
            const bool needsClient = c == QLatin1String("Client document") ||
                                     c == QLatin1String("Contact") ||
                                     c == QLatin1String("General note");
            QCOMPARE(a->isEnabled(), needsClient ? clientItems : true);
        }
        for (QAction* a : child<QMenu>("Organiser1")->actions())
            QVERIFY2(a->isEnabled(), qPrintable(caption(a)));
        for (QAction* a : child<QMenu>("Generaldocument1")->actions())
            QVERIFY2(a->isEnabled(), qPrintable(caption(a)));
    }

    void toolMenuToggle() {
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        auto* panel = child<QWidget>("pnlToolMenu");
        auto* toggle = child<QAbstractButton>("btnToggleToolMenu");
        const char* viewButtons[] = {"btnRecords", "btnReports", "btnOrganiser", "btnLindenWay"};
        const int viewWidth = window().CurrentView()->width();

        toggle->click();
        QCOMPARE(panel->width(), 26);
        QCOMPARE(toggle->text(), QStringLiteral("<<"));
        for (const char* name : viewButtons)
            QVERIFY2(!child<QWidget>(name)->isVisible(), name);
        QTRY_COMPARE(window().CurrentView()->width(), viewWidth + 171 - 26);

        toggle->click();
        QCOMPARE(panel->width(), 171);
        QCOMPARE(toggle->text(), QStringLiteral(">>"));
        for (const char* name : viewButtons)
            QVERIFY2(child<QWidget>(name)->isVisible(), name);
        QVERIFY(!child<QWidget>("btnTemplates")->isVisible());
        QVERIFY(!child<QWidget>("btnAccounts")->isVisible());
        QTRY_COMPARE(window().CurrentView()->width(), viewWidth);
    }

    void linkWebsiteTextAtCreation() {
        m_folder->settings().LinkWebsiteText = QStringLiteral("Practice news");
        QCOMPARE(child<QAbstractButton>("btnLindenWay")->text(), QStringLiteral("Practice news"));
        QCOMPARE(child<QAction>("mnuLindenway1")->text(), QStringLiteral("Practice news"));
    }

    void applySettings_data() {
        QTest::addColumn<QString>("companyName");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QString>("title");
        QTest::newRow("no company name") << u""_s << u"Web search"_s << u"Quillon"_s;
        QTest::newRow("company name")
            << u"Harbour Street Practice"_s << u"Practice news"_s << u"Harbour Street Practice"_s;
    }

    void applySettings() {
        QFETCH(QString, companyName);
        QFETCH(QString, linkText);
        QFETCH(QString, title);
        window();
        TAppSettings& s = m_folder->settings();
        s.CompanyName = companyName;
        s.LinkWebsiteText = linkText;
        s.InterfaceColor = 0x00F0CAA6; // clSkyBlue
        window().ApplySettings();
        QCOMPARE(window().windowTitle(), title);
        QCOMPARE(child<QAbstractButton>("btnLindenWay")->text(), linkText);
        QCOMPARE(child<QAction>("mnuLindenway1")->text(), linkText);
        for (const char* panel : {"pnlTop", "pnlToolMenu"}) {
            QCOMPARE(child<QWidget>(panel)->palette().color(QPalette::Window),
                     QColor(166, 202, 240));
        }
        // The views keep the desktop's colours.
        QVERIFY(window().CurrentView()->palette().color(QPalette::Window) != QColor(166, 202, 240));
    }

    void companyNameClearedAgain() {
        m_folder->settings().CompanyName = QStringLiteral("Harbour Street Practice");
        window().ApplySettings();
        m_folder->settings().CompanyName.clear();
        window().ApplySettings();
        QCOMPARE(window().windowTitle(), QStringLiteral("Quillon"));
    }

    void viewCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("page"); // -1: the view has no pages

        QTest::newRow("btnReports") << u"btnReports"_s << u"fmeReports"_s << -1;
        QTest::newRow("btnOrganiser opens Today") << u"btnOrganiser"_s << u"frmOrganiser"_s << 0;
        QTest::newRow("btnLindenWay") << u"btnLindenWay"_s << u"fmeLindenway"_s << -1;
        QTest::newRow("btnRecords") << u"btnRecords"_s << u"fmeRecords"_s << -1;
        QTest::newRow("New client contact") << u"Contact1"_s << u"fmeRecords"_s << 2;
        QTest::newRow("New client document") << u"Usedocumenteditor1"_s << u"fmeRecords"_s << 3;
        QTest::newRow("Attach client file") << u"Attachexternalfile1"_s << u"fmeRecords"_s << 3;
        QTest::newRow("New client note") << u"GeneralNote1"_s << u"fmeRecords"_s << 4;
        QTest::newRow("New transaction") << u"Accounttransaction1"_s << u"fmeRecords"_s << 5;
        QTest::newRow("New general document") << u"Usedocumenteditor2"_s << u"fmeReports"_s << -1;
        QTest::newRow("Attach general file") << u"Attachexternalfile2"_s << u"fmeReports"_s << -1;
        QTest::newRow("New appointment") << u"Appointment1"_s << u"frmOrganiser"_s << 1;
        QTest::newRow("New organiser contact") << u"Contact2"_s << u"frmOrganiser"_s << 2;
        QTest::newRow("New task") << u"Task1"_s << u"frmOrganiser"_s << 3;
        QTest::newRow("New organiser note") << u"Note1"_s << u"frmOrganiser"_s << 4;
        QTest::newRow("View client records") << u"Clientrecords1"_s << u"fmeRecords"_s << -1;
        QTest::newRow("View general documents") << u"Generaldocuments1"_s << u"fmeReports"_s << -1;
        QTest::newRow("View today") << u"Today1"_s << u"frmOrganiser"_s << 0;
        QTest::newRow("View calendar") << u"Calendar1"_s << u"frmOrganiser"_s << 1;
        QTest::newRow("View contacts") << u"Contacts1"_s << u"frmOrganiser"_s << 2;
        QTest::newRow("View to do") << u"Todo1"_s << u"frmOrganiser"_s << 3;
        QTest::newRow("View notes") << u"Notes1"_s << u"frmOrganiser"_s << 4;
        QTest::newRow("View web page") << u"mnuLindenway1"_s << u"fmeLindenway"_s << -1;
    }

    void viewCommands() {
        QFETCH(QString, command);
        QFETCH(QString, view);
        QFETCH(int, page);
        // Start from another view on another page, so every switch is seen.
        window().btnAccountsClick();
        window().fmeRecords()->pcRecords()->setCurrentIndex(1);
        window().frmOrganiser()->PageControl1()->setCurrentIndex(page == 4 ? 3 : 4);

        if (auto* button = window().findChild<QAbstractButton*>(command))
            button->click();
        else if (auto* action = window().findChild<QAction*>(command))
            action->trigger();
        else
            QFAIL("no such command");

        QCOMPARE(window().CurrentView()->objectName(), view);
        QVERIFY(window().CurrentView()->isVisibleTo(&window()));
        if (view == QLatin1String("frmOrganiser"))
            QCOMPARE(window().frmOrganiser()->PageControl1()->currentIndex(), page);
        else if (page >= 0)
            QCOMPARE(window().fmeRecords()->pcRecords()->currentIndex(), page);
    }

    void viewOrganiserMenuOpensToday() {
        window().btnRecordsClick();
        window().frmOrganiser()->PageControl1()->setCurrentIndex(3);
        emit child<QMenu>("Organiser2")->aboutToShow();
        QCOMPARE(window().CurrentView(), static_cast<QWidget*>(window().frmOrganiser()));
        QCOMPARE(window().frmOrganiser()->PageControl1()->currentIndex(), 0);
    }

    void hiddenViewsStillReachable() {
        window().btnTemplatesClick();
        QCOMPARE(window().CurrentView(), static_cast<QWidget*>(window().fmeTemplateLetters()));
        window().btnAccountsClick();
        QCOMPARE(window().CurrentView(), static_cast<QWidget*>(window().fmeAccounts()));
    }

    void firstShow_data() {
        QTest::addColumn<bool>("checkForUpdates");
        QTest::newRow("version check on") << true;
        QTest::newRow("version check off") << false;
    }

    void firstShow() {
        QFETCH(bool, checkForUpdates);
        m_folder->settings().CheckForUpdates = checkForUpdates;
        QSignalSpy check(&window(), &TfrmMain::versionCheckRequested);
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QWidget* focus = window().focusWidget();
        QVERIFY(focus);
        QVERIFY(focus == window().fmeRecords() || window().fmeRecords()->isAncestorOf(focus));
        QCOMPARE(check.count(), checkForUpdates ? 1 : 0);
        // Only the first show counts.
        window().hide();
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QCOMPARE(check.count(), checkForUpdates ? 1 : 0);
    }

    void helpFiles_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("Help") << u"Help2"_s << u"quillon_help.html"_s;
        QTest::newRow("User guide") << u"Userguide1"_s << u"user_guide.pdf"_s;
    }

    void helpFiles() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        TUrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        child<QAction>(qPrintable(command))->trigger();

        // Installed: handed to the desktop.
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(recorder.urls.first(),
                 QUrl::fromLocalFile(QStringLiteral(QUILLON_SHARE_DIR "/") + file));
        QVERIFY(TMessages::shown().isEmpty());

        // Missing: the user is told, not left wondering.
        QTemporaryDir empty;
        TAppPaths::setInstalledDir(empty.path());
        child<QAction>(qPrintable(command))->trigger();
        TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.urls.size(), 1);
        QCOMPARE(TMessages::shown().size(), 1);
        QVERIFY(TMessages::shown().first().contains(file));
    }

    void everyControlHasAnAccessibleName() {
        // The window's own controls and its placeholder views; the records view is checked
        // with its own tests, and Qt names the parts of its composite controls itself.
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const auto skipped = [this](const QWidget* w) {
            for (const QWidget* p = w; p; p = p->parentWidget()) {
                if (p == window().fmeRecords() || qobject_cast<const QTabBar*>(p) ||
                    p->inherits("QCalendarWidget"))
                    return true;
            }
            return false;
        };
        int checked = 0;
        for (QWidget* w : window().findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&window()) || !(w->focusPolicy() & Qt::TabFocus) || skipped(w))
                continue;
            ++checked;
            QVERIFY2(!w->accessibleName().isEmpty(),
                     qPrintable(w->objectName() + QLatin1String(" ") +
                                QLatin1String(w->metaObject()->className())));
        }
        QVERIFY(checked >= 5);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
