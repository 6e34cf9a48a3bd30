#include "shell/main.h"

#include "accounts/accounts.h"
#include "documents/reports.h"
#include "documents/templateletters.h"
#include "organiser/organiser.h"
#include "records/records.h"
#include "shell/lindenway.h"
#include "shell/picture.h"
#include "shell/settings.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kTopHeight = 80;
constexpr int kLogoWidth = 250;
constexpr int kToolMenuWide = 171;
constexpr int kToolMenuNarrow = 26;

// Hints keep their "\r" line breaks as written; tool tips break lines at "\n".
QString hint(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// A hairline between the window's panels, in the desktop's frame colour.
QFrame* separator(QWidget* parent, QFrame::Shape shape) {
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

QPushButton* toolButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setMinimumHeight(32);
    return button;
}
} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillon"));
    setAccessibleName(QStringLiteral("Quillon"));
    resize(843, 587);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    CreatePanels();
    CreateViews();
    CreateMainMenu();

    // The window's own creation steps, after every view has run its own.
    m_fmeLindenway->NavigateHome();
    ShowView(m_fmeRecords);
    SetLinkWebsiteText();
    ApplyColor();
    LoadCompanyLogo();
    m_frmOrganiser->mcCalendar()->setSelectedDate(QDate::currentDate());
    m_btnRecords->setToolTip(
        hint("Details of all your clients,\rtheir progress and any \rcomunications with them"));
    m_btnTemplates->setToolTip(hint("Create and edit document templates"));
    m_btnReports->setToolTip(
        hint("General Letters,repots and other documents\rNot associated with any one client"));
    m_btnLindenWay->setToolTip(hint("Online resources and information"));
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreatePanels() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlClient"));
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_pnlTop = new QWidget(central);
    m_pnlTop->setObjectName(QStringLiteral("pnlTop"));
    m_pnlTop->setAccessibleName(QStringLiteral("Company logo"));
    m_pnlTop->setAutoFillBackground(true);
    m_pnlTop->setFixedHeight(kTopHeight);
    auto* topLayout = new QHBoxLayout(m_pnlTop);
    topLayout->setContentsMargins(0, 0, 0, 0);
    m_imgCompanyLogo = new QLabel(m_pnlTop);
    m_imgCompanyLogo->setObjectName(QStringLiteral("imgCompanyLogo"));
    m_imgCompanyLogo->setAccessibleName(QStringLiteral("Company logo"));
    m_imgCompanyLogo->setFixedSize(kLogoWidth, kTopHeight);
    m_imgCompanyLogo->setAlignment(Qt::AlignCenter);
    topLayout->addWidget(m_imgCompanyLogo);
    topLayout->addStretch(1);
    outer->addWidget(m_pnlTop);
    outer->addWidget(separator(central, QFrame::HLine));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    m_views = new QStackedWidget(central);
    m_views->setObjectName(QStringLiteral("pnlViews"));
    body->addWidget(m_views, 1);
    body->addWidget(separator(central, QFrame::VLine));

    m_pnlToolMenu = new QWidget(central);
    m_pnlToolMenu->setObjectName(QStringLiteral("pnlToolMenu"));
    m_pnlToolMenu->setAccessibleName(QStringLiteral("Tool menu"));
    m_pnlToolMenu->setAutoFillBackground(true);
    m_pnlToolMenu->setFixedWidth(kToolMenuWide);
    auto* toolLayout = new QVBoxLayout(m_pnlToolMenu);
    toolLayout->setContentsMargins(4, 4, 8, 8);
    toolLayout->setSpacing(6);

    m_btnToggleToolMenu = new QToolButton(m_pnlToolMenu);
    m_btnToggleToolMenu->setObjectName(QStringLiteral("btnToggleToolMenu"));
    m_btnToggleToolMenu->setText(QStringLiteral(">>"));
    m_btnToggleToolMenu->setAccessibleName(QStringLiteral("Show / hide this toolbar"));
    m_btnToggleToolMenu->setToolTip(QStringLiteral("Show / hide this toolbar"));
    m_btnToggleToolMenu->setAutoRaise(true);
    m_btnToggleToolMenu->setFixedSize(18, 22);
    connect(m_btnToggleToolMenu, &QToolButton::clicked, this, &TfrmMain::btnToggleToolMenuClick);
    toolLayout->addWidget(m_btnToggleToolMenu, 0, Qt::AlignLeft);

    m_btnRecords = toolButton(m_pnlToolMenu, "btnRecords", QStringLiteral("Client records"));
    m_btnReports = toolButton(m_pnlToolMenu, "btnReports", QStringLiteral("General documents"));
    m_btnOrganiser = toolButton(m_pnlToolMenu, "btnOrganiser", QStringLiteral("Organiser"));
    m_btnLindenWay = toolButton(m_pnlToolMenu, "btnLindenWay", QString());
    m_btnTemplates = toolButton(m_pnlToolMenu, "btnTemplates", QStringLiteral("Template editor"));
    m_btnAccounts = toolButton(m_pnlToolMenu, "btnAccounts", QStringLiteral("Accounts"));
    for (QPushButton* b : {m_btnRecords, m_btnReports, m_btnOrganiser, m_btnLindenWay,
                           m_btnTemplates, m_btnAccounts}) {
        toolLayout->addWidget(b);
    }
    // No visible control selects these two views.
    m_btnTemplates->hide();
    m_btnAccounts->hide();
    toolLayout->addStretch(1);
    body->addWidget(m_pnlToolMenu);

    connect(m_btnRecords, &QPushButton::clicked, this, &TfrmMain::btnRecordsClick);
    connect(m_btnReports, &QPushButton::clicked, this, &TfrmMain::btnReportsClick);
    connect(m_btnOrganiser, &QPushButton::clicked, this, &TfrmMain::btnOrganiserClick);
    connect(m_btnLindenWay, &QPushButton::clicked, this, &TfrmMain::btnLindenWayClick);
    connect(m_btnTemplates, &QPushButton::clicked, this, &TfrmMain::btnTemplatesClick);
    connect(m_btnAccounts, &QPushButton::clicked, this, &TfrmMain::btnAccountsClick);

    setCentralWidget(central);
}

void TfrmMain::CreateViews() {
    // This order is the order in which the views run their own creation steps.
    m_fmeLindenway = new TfmeLindenway(m_views);
    m_fmeReports = new TfmeReports(m_views);
    m_fmeAccounts = new TfmeAccounts(m_views);
    m_fmeTemplateLetters = new TfmeTemplateLetters(m_views);
    m_fmeRecords = new TfmeRecords(m_views);
    m_frmOrganiser = new TfrmOrganiser(m_views);
    for (QWidget* view :
         {static_cast<QWidget*>(m_fmeLindenway), static_cast<QWidget*>(m_fmeReports),
          static_cast<QWidget*>(m_fmeAccounts), static_cast<QWidget*>(m_fmeTemplateLetters),
          static_cast<QWidget*>(m_fmeRecords), static_cast<QWidget*>(m_frmOrganiser)}) {
        m_views->addWidget(view);
    }
}

void TfrmMain::ShowView(QWidget* view) {
    m_views->setCurrentWidget(view);
    view->show();
}

QWidget* TfrmMain::CurrentView() const {
    return m_views->currentWidget();
}

void TfrmMain::btnRecordsClick() {
    ShowView(m_fmeRecords);
}
void TfrmMain::btnReportsClick() {
    ShowView(m_fmeReports);
}

void TfrmMain::btnOrganiserClick() {
    m_frmOrganiser->PageControl1()->setCurrentIndex(0);
    ShowView(m_frmOrganiser);
}

void TfrmMain::btnLindenWayClick() {
    ShowView(m_fmeLindenway);
}

void TfrmMain::btnTemplatesClick() {
    ShowView(m_fmeTemplateLetters);
    m_fmeTemplateLetters->SetMode(TfmeTemplateLetters::tmDesign);
}

void TfrmMain::btnAccountsClick() {
    ShowView(m_fmeAccounts);
}

void TfrmMain::btnToggleToolMenuClick() {
    const bool collapse = m_pnlToolMenu->width() == kToolMenuWide;
    m_pnlToolMenu->setFixedWidth(collapse ? kToolMenuNarrow : kToolMenuWide);
    m_btnToggleToolMenu->setText(collapse ? QStringLiteral("<<") : QStringLiteral(">>"));
    for (QPushButton* b : {m_btnRecords, m_btnReports, m_btnOrganiser, m_btnLindenWay})
        b->setVisible(!collapse);
}

void TfrmMain::ApplySettings() {
    const TAppSettings& settings = TAppSettings::instance();
    ApplyColor();
    LoadCompanyLogo();
    setWindowTitle(settings.CompanyName.isEmpty() ? QStringLiteral("Quillon")
                                                  : settings.CompanyName);
    m_fmeRecords->RefreshAfterSettings();
    m_fmeReports->Refresh();
    SetLinkWebsiteText();
    m_fmeLindenway->NavigateHome();
}

void TfrmMain::ApplyColor() {
    // The logo strip and the tool menu are all of the window that shows its own colour; the
    // menu bar and the views keep the desktop's colours so their text stays readable.
    const QColor color = TAppSettings::ToQColor(TAppSettings::instance().InterfaceColor);
    for (QWidget* w : {m_pnlTop, m_pnlToolMenu}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, color);
        // The collapse arrows are drawn on the panel itself: keep them readable.
        pal.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
        w->setPalette(pal);
    }
}

void TfrmMain::LoadCompanyLogo() {
    const QImage image = LoadPicture(TAppSettings::instance().CompanyLogoPath());
    if (image.isNull()) {
        // Not even the installed default logo: the strip stays plain.
        m_imgCompanyLogo->clear();
        return;
    }
    const qreal dpr = devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(image.scaled(
        QSize(kLogoWidth, kTopHeight) * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(dpr);
    m_imgCompanyLogo->setPixmap(pixmap);
}

void TfrmMain::SetLinkWebsiteText() {
    const QString text = TAppSettings::instance().LinkWebsiteText;
    m_btnLindenWay->setText(text);
    m_btnLindenWay->setAccessibleName(text);
    m_mnuLindenway1->setText(text);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    FocusRecordsView();
    if (TAppSettings::instance().CheckForUpdates)
        emit versionCheckRequested();
}

void TfrmMain::FocusRecordsView() {
    // The records view takes no focus itself: its first control that does gets it.
    for (QWidget* w = m_fmeRecords->nextInFocusChain(); w && w != m_fmeRecords;
         w = w->nextInFocusChain()) {
        if (!m_fmeRecords->isAncestorOf(w))
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    m_fmeRecords->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    m_frmOrganiser->CommitTimeSlots();
    QMainWindow::closeEvent(event);
    event->accept();
}
