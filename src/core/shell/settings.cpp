#include "shell/settings.h"

#include "shell/apppaths.h"
#include "shell/inifile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <memory>

namespace {
const QString kProgram = QStringLiteral("Program");
const QString kLinkWebsite = QStringLiteral("LinkWebsite");
const QString kAccounts = QStringLiteral("Accounts");
const QString kGeneral = QStringLiteral("General");
const QString kSignature = QStringLiteral("Signature");

TAppSettings* g_instance = nullptr;
std::unique_ptr<TAppSettings> g_ownInstance;

// The file holds "." as decimal separator whatever the locale. A "," is accepted too when it is
// the only separator, so a value typed by hand in a "," locale is not silently taken as 0.
double readPercent(const QString& text) {
    const QString t = text.trimmed();
    const QLocale c = QLocale::c();
    bool ok = false;
    double value = c.toDouble(t, &ok);
    if (!ok && t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.')))
        value = c.toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

int readInt(const QString& text, int def) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : def;
}
} // namespace

TAppSettings::TAppSettings() : TAppSettings(QLocale::system().currencySymbol()) {}

TAppSettings::TAppSettings(const QString& localeCurrencySymbol) {
    Load(localeCurrencySymbol);
}

TAppSettings& TAppSettings::instance() {
    if (!g_instance) {
        g_ownInstance = std::make_unique<TAppSettings>();
        g_instance = g_ownInstance.get();
    }
    return *g_instance;
}

void TAppSettings::setInstance(TAppSettings* settings) {
    g_instance = settings;
    if (g_ownInstance && g_ownInstance.get() != settings)
        g_ownInstance.reset();
}

QString TAppSettings::SettingsFile() const {
    return TAppPaths::dataDir() + QStringLiteral("settings.ini");
}

QString TAppSettings::VendorSite() {
    return QStringLiteral("https://www.quillonsoftware.com");
}

QString TAppSettings::DefaultLinkWebsiteURL() {
    return VendorSite() + QStringLiteral("/google.html");
}

void TAppSettings::Load(const QString& localeCurrencySymbol) {
    const QString dataDir = TAppPaths::dataDir();

    // Folders that cannot be made are left to fail where something is written into them.
    TempFolder = TAppPaths::workDir();
    QDir().mkpath(TempFolder);
    ImagesFolder = dataDir + QStringLiteral("images/");
    QDir().mkpath(ImagesFolder);

    // An unreadable file gives the defaults, as a missing one does; Save() refuses to
    // overwrite it.
    TIniFile ini(SettingsFile());
    ini.load();

    Signature = ini.readSectionValues(kSignature).join(QStringLiteral("\r\n"));

    DatabasePath = ini.readString(kProgram, QStringLiteral("DB"));
    if (DatabasePath.isEmpty())
        DatabasePath = dataDir + QStringLiteral("Quillon.qdb");

    LinkWebsiteText =
        ini.readString(kLinkWebsite, QStringLiteral("Text"), QStringLiteral("Web search"));
    LinkWebsiteURL = ini.readString(kLinkWebsite, QStringLiteral("URL"), DefaultLinkWebsiteURL());

    CurrencySymbol =
        ini.readString(kAccounts, QStringLiteral("CurrencySymbol"), localeCurrencySymbol);
    // The label follows the locale, not a currency symbol chosen by the user.
    const QString taxDefault = localeCurrencySymbol == QStringLiteral("\u00A3")
                                   ? QStringLiteral("VAT")
                                   : QStringLiteral("Tax");
    TaxLabel = ini.readString(kAccounts, QStringLiteral("TaxLabel"), taxDefault);
    PercentTax = readPercent(ini.readString(kAccounts, QStringLiteral("PercentTax")));

    Logo = ini.readString(kAccounts, QStringLiteral("Logo"), QStringLiteral("default.jpg"));
    CompanyLogo =
        ini.readString(kGeneral, QStringLiteral("CompanyLogo"), QStringLiteral("quillon.jpg"));
    CompanyName = ini.readString(kGeneral, QStringLiteral("CompanyName"));
    Other1Name = ini.readString(kGeneral, QStringLiteral("Other1Name"), QStringLiteral("Other 1"));
    Other2Name = ini.readString(kGeneral, QStringLiteral("Other2Name"), QStringLiteral("Other 2"));
    Other3Name = ini.readString(kGeneral, QStringLiteral("Other3Name"), QStringLiteral("Other 3"));

    bool ok = false;
    InterfaceColor = StringToColor(
        ini.readString(kGeneral, QStringLiteral("InterfaceColor"), QStringLiteral("clWhite")), &ok);
    if (!ok)
        InterfaceColor = 0x00FFFFFF;

    CheckForUpdates = readInt(ini.readString(kGeneral, QStringLiteral("CheckForUpdates")), 1) != 0;

    PrintHeaderFile = dataDir + QStringLiteral("print_header.rtf");
    PrintFooterFile = dataDir + QStringLiteral("print_footer.rtf");
    PrintInvoiceInfoFile = dataDir + QStringLiteral("print_invoiceinfo.rtf");

    PrintOption = readInt(ini.readString(kAccounts, QStringLiteral("PrintOption")), 0);
}

bool TAppSettings::Save(QString* error) {
    // Start from the file as it is now, so keys written by anyone else since the load survive.
    TIniFile ini(SettingsFile());
    if (!ini.load(error))
        return false;

    ini.eraseSectionKeys(kSignature);
    if (!Signature.isEmpty()) {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        const QStringList lines = Signature.split(lineBreak);
        for (int i = 0; i < lines.size(); ++i)
            ini.writeString(kSignature, QString::number(i), lines[i]);
    }

    ini.writeString(kProgram, QStringLiteral("DB"), DatabasePath);
    ini.writeString(kLinkWebsite, QStringLiteral("Text"), LinkWebsiteText);
    ini.writeString(kLinkWebsite, QStringLiteral("URL"), LinkWebsiteURL);

    ini.writeString(kAccounts, QStringLiteral("CurrencySymbol"), CurrencySymbol);
    ini.writeString(kAccounts, QStringLiteral("TaxLabel"), TaxLabel);
    ini.writeString(kAccounts, QStringLiteral("PercentTax"), QString::number(PercentTax, 'g', 15));
    ini.writeString(kAccounts, QStringLiteral("Logo"), Logo);
    ini.writeString(kAccounts, QStringLiteral("PrintOption"), QString::number(PrintOption));

    ini.writeString(kGeneral, QStringLiteral("CompanyLogo"), CompanyLogo);
    ini.writeString(kGeneral, QStringLiteral("CompanyName"), CompanyName);
    ini.writeString(kGeneral, QStringLiteral("Other1Name"), Other1Name);
    ini.writeString(kGeneral, QStringLiteral("Other2Name"), Other2Name);
    ini.writeString(kGeneral, QStringLiteral("Other3Name"), Other3Name);
    ini.writeString(kGeneral, QStringLiteral("InterfaceColor"), ColorToString(InterfaceColor));
    ini.writeString(kGeneral, QStringLiteral("CheckForUpdates"),
                    CheckForUpdates ? QStringLiteral("1") : QStringLiteral("0"));

    return ini.save(error);
}

QString TAppSettings::ReportLogoPath() const {
    const QString chosen = ImagesFolder + Logo;
    if (!Logo.isEmpty() && QFileInfo(chosen).isFile())
        return chosen;
    return TAppPaths::programFile(QStringLiteral("default.bmp"));
}

QString TAppSettings::CompanyLogoPath() const {
    const QString chosen = ImagesFolder + CompanyLogo;
    if (!CompanyLogo.isEmpty() && QFileInfo(chosen).isFile())
        return chosen;
    const bool white = (ToQColor(InterfaceColor).rgb() & 0xFFFFFF) == 0xFFFFFF;
    return TAppPaths::programFile(white ? QStringLiteral("default.jpg")
                                        : QStringLiteral("default2.jpg"));
}
