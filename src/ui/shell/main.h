#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;
class TfmeAccounts;
class TfmeLindenway;
class TfmeRecords;
class TfmeReports;
class TfmeTemplateLetters;
class TfrmOrganiser;

// The main window: a logo strip at the top, the tool menu of view buttons on the right, the
// main menu, and the six views sharing the rest. One view is in front at a time.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Brings a view to the front, filling the area left by the logo strip and the tool menu.
    void ShowView(QWidget* view);
    QWidget* CurrentView() const;

    // Re-applies colour, logo, caption and web link; run after the options dialog closes.
    void ApplySettings();

    TfmeRecords* fmeRecords() const { return m_fmeRecords; }
    TfmeReports* fmeReports() const { return m_fmeReports; }
    TfrmOrganiser* frmOrganiser() const { return m_frmOrganiser; }
    TfmeLindenway* fmeLindenway() const { return m_fmeLindenway; }
    TfmeTemplateLetters* fmeTemplateLetters() const { return m_fmeTemplateLetters; }
    TfmeAccounts* fmeAccounts() const { return m_fmeAccounts; }

signals:
    // The first show with CheckForUpdates on: the version check runs here.
    void versionCheckRequested();

public slots:
    void btnRecordsClick();
    void btnReportsClick();
    void btnOrganiserClick();
    void btnLindenWayClick();
    void btnTemplatesClick();
    void btnAccountsClick();
    void btnToggleToolMenuClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window parts, built in main.cpp.
    void CreatePanels();
    void CreateViews();
    void ApplyColor();
    void LoadCompanyLogo();
    void SetLinkWebsiteText();
    void FocusRecordsView();

    // The main menu and its commands, in main_menu.cpp.
    void CreateMainMenu();
    void UpdateNewMenu();
    void ShowOrganiserPage(int index);
    void ShowRecordsPage(int index);
    void OpenInstalledFile(const QString& name);

    QWidget* m_pnlTop = nullptr;
    QLabel* m_imgCompanyLogo = nullptr;
    QWidget* m_pnlToolMenu = nullptr;
    QToolButton* m_btnToggleToolMenu = nullptr;
    QPushButton* m_btnRecords = nullptr;
    QPushButton* m_btnReports = nullptr;
    QPushButton* m_btnOrganiser = nullptr;
    QPushButton* m_btnLindenWay = nullptr;
    QPushButton* m_btnTemplates = nullptr;
    QPushButton* m_btnAccounts = nullptr;
    QStackedWidget* m_views = nullptr;

    TfmeLindenway* m_fmeLindenway = nullptr;
    TfmeReports* m_fmeReports = nullptr;
    TfmeAccounts* m_fmeAccounts = nullptr;
    TfmeTemplateLetters* m_fmeTemplateLetters = nullptr;
    TfmeRecords* m_fmeRecords = nullptr;
    TfrmOrganiser* m_frmOrganiser = nullptr;

    QMenu* m_mnuNew = nullptr;
    QAction* m_mnuNewClientContact = nullptr;
    QAction* m_mnuNewClientDocument = nullptr;
    QAction* m_mnuNewClientNote = nullptr;
    QAction* m_mnuLindenway1 = nullptr;

    bool m_shownOnce = false;
};
