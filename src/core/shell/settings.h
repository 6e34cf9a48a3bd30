#pragma once

#include <QColor>
#include <QString>

// The program's one settings object, read from <data folder>/settings.ini at creation and
// written back only by Save(). Values are named by their keys in the file.
class TAppSettings {
public:
    // Loads the settings file of the data folder (TAppPaths). The locale's currency symbol
    // decides the defaults of CurrencySymbol and TaxLabel; tests pass their own.
    TAppSettings();
    explicit TAppSettings(const QString& localeCurrencySymbol);

    // The program's instance, created by the entry sequence before anything else.
    static TAppSettings& instance();
    static void setInstance(TAppSettings* settings);

    // Writes the editable values into the settings file as it is on disk now, rewriting their
    // keys in place and leaving every other line alone. False with error when the file could
    // not be read or written; the file on disk is then unchanged.
    bool Save(QString* error = nullptr);
    QString DataFileVersionText() const; // needs the shared connection
    QString ReportLogoPath() const;
    QString CompanyLogoPath() const;
    QString SettingsFile() const;

    // Colours are 32-bit values: red in the lowest byte; a value with the high byte set names
    // a system colour. These turn the file's text into a value and back ("clWhite",
    // "$00FF8000", "16777215"); an unknown text gives ok = false.
    static quint32 StringToColor(const QString& text, bool* ok = nullptr);
    static QString ColorToString(quint32 color);
    static QColor ToQColor(quint32 color);

    // The web-search page shown by the web page view until the user names another.
    static QString DefaultLinkWebsiteURL();
    // The maker's web site (no trailing '/'), for the version check and the About box.
    static QString VendorSite();

    QString DatabasePath;
    QString TempFolder;
    QString Signature;
    QString LinkWebsiteText;
    QString LinkWebsiteURL;
    QString PrintHeaderFile;
    QString PrintFooterFile;
    QString CurrencySymbol;
    double PercentTax = 0;
    QString Logo;
    quint32 InterfaceColor = 0x00FFFFFF;
    QString CompanyName;
    QString Other1Name;
    QString CompanyLogo;
    QString Other2Name;
    QString Other3Name;
    QString ImagesFolder;
    QString TaxLabel;
    int PrintOption = 0;
    QString PrintInvoiceInfoFile;
    bool CheckForUpdates = true;

private:
    void Load(const QString& localeCurrencySymbol);
};
