#include "data/query.h"
#include "dbfixture.h"
#include "shell/apppaths.h"
#include "shell/settings.h"

#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kPound = QStringLiteral("\u00A3");

// The value of one setting by its name, so that a table can name what it checks.
QVariant field(const TAppSettings& s, const QString& name) {
    const QMap<QString, QVariant> all = {
        {QStringLiteral("DatabasePath"), s.DatabasePath},
        {QStringLiteral("TempFolder"), s.TempFolder},
        {QStringLiteral("Signature"), s.Signature},
        {QStringLiteral("LinkWebsiteText"), s.LinkWebsiteText},
        {QStringLiteral("LinkWebsiteURL"), s.LinkWebsiteURL},
        {QStringLiteral("PrintHeaderFile"), s.PrintHeaderFile},
        {QStringLiteral("PrintFooterFile"), s.PrintFooterFile},
        {QStringLiteral("PrintInvoiceInfoFile"), s.PrintInvoiceInfoFile},
        {QStringLiteral("CurrencySymbol"), s.CurrencySymbol},
        {QStringLiteral("PercentTax"), s.PercentTax},
        {QStringLiteral("Logo"), s.Logo},
        {QStringLiteral("InterfaceColor"), s.InterfaceColor},
        {QStringLiteral("CompanyName"), s.CompanyName},
        {QStringLiteral("Other1Name"), s.Other1Name},
        {QStringLiteral("Other2Name"), s.Other2Name},
        {QStringLiteral("Other3Name"), s.Other3Name},
        {QStringLiteral("CompanyLogo"), s.CompanyLogo},
        {QStringLiteral("ImagesFolder"), s.ImagesFolder},
        {QStringLiteral("TaxLabel"), s.TaxLabel},
        {QStringLiteral("PrintOption"), s.PrintOption},
        {QStringLiteral("CheckForUpdates"), s.CheckForUpdates},
    };
    Q_ASSERT(all.contains(name));
    return all.value(name);
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void load_data();
    void load();
    void foldersCreated();
    void saveKeepsEverythingElse();
    void saveNewFileRoundTrip();
    void signatureShrinks();
    void percentTaxIgnoresLocale();
    void saveRefusesUnreadableFile();
    void stringToColor_data();
    void stringToColor();
    void colorToString_data();
    void colorToString();
    void toQColor();
    void logoPaths_data();
    void logoPaths();
    void dataFileVersion_data();
    void dataFileVersion();

private:
    void writeSettings(const QByteArray& bytes);
    QByteArray readSettings() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    TAppPaths::init(m_dir->path());
    TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
}

void TestSettings::cleanup() {
    QLocale::setDefault(QLocale::c());
    m_dir.reset();
}

void TestSettings::writeSettings(const QByteArray& bytes) {
    QFile f(TAppPaths::dataDir() + QStringLiteral("settings.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray TestSettings::readSettings() const {
    QFile f(TAppPaths::dataDir() + QStringLiteral("settings.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestSettings::load_data() {
    QTest::addColumn<QByteArray>("file"); // null: no settings file at all
    QTest::addColumn<QString>("localeSymbol");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("expected"); // "<data>" stands for the data folder

    const QByteArray none;
    const QString dollar = QStringLiteral("$");
    auto row = [](const char* tag, const QByteArray& file, const QString& symbol, const char* name,
                  const QVariant& expected) {
        QTest::newRow(tag) << file << symbol << QString::fromLatin1(name) << expected;
    };

    // Defaults with no file.
    row("no file: DatabasePath", none, dollar, "DatabasePath", QStringLiteral("<data>Quillon.qdb"));
    row("no file: TempFolder", none, dollar, "TempFolder", TAppPaths::workDir());
    row("no file: ImagesFolder", none, dollar, "ImagesFolder", QStringLiteral("<data>images/"));
    row("no file: PrintHeaderFile", none, dollar, "PrintHeaderFile",
        QStringLiteral("<data>print_header.rtf"));
    row("no file: PrintFooterFile", none, dollar, "PrintFooterFile",
        QStringLiteral("<data>print_footer.rtf"));
    row("no file: PrintInvoiceInfoFile", none, dollar, "PrintInvoiceInfoFile",
        QStringLiteral("<data>print_invoiceinfo.rtf"));
    row("no file: Signature", none, dollar, "Signature", QString());
    row("no file: LinkWebsiteText", none, dollar, "LinkWebsiteText", QStringLiteral("Web search"));
    row("no file: LinkWebsiteURL", none, dollar, "LinkWebsiteURL",
        TAppSettings::DefaultLinkWebsiteURL());
    row("no file: CurrencySymbol", none, kPound, "CurrencySymbol", kPound);
    row("no file: TaxLabel with pound", none, kPound, "TaxLabel", QStringLiteral("VAT"));
    row("no file: TaxLabel with dollar", none, dollar, "TaxLabel", QStringLiteral("Tax"));
    row("no file: PercentTax", none, dollar, "PercentTax", 0.0);
    row("no file: Logo", none, dollar, "Logo", QStringLiteral("default.jpg"));
    row("no file: CompanyLogo", none, dollar, "CompanyLogo", QStringLiteral("quillon.jpg"));
    row("no file: CompanyName", none, dollar, "CompanyName", QString());
    row("no file: Other1Name", none, dollar, "Other1Name", QStringLiteral("Other 1"));
    row("no file: Other2Name", none, dollar, "Other2Name", QStringLiteral("Other 2"));
    row("no file: Other3Name", none, dollar, "Other3Name", QStringLiteral("Other 3"));
    row("no file: InterfaceColor", none, dollar, "InterfaceColor", quint32(0xFFFFFF));
    row("no file: CheckForUpdates", none, dollar, "CheckForUpdates", true);
    row("no file: PrintOption", none, dollar, "PrintOption", 0);

    // Every key read from the file.
    const QByteArray full("[Signature]\r\n0=Kind regards,\r\n1=\r\n2=\"  Jane Smith\"\r\n"
                          "[Program]\r\nDB=/srv/practice/clients.qdb\r\n"
                          "[LinkWebsite]\r\nText=Search\r\nURL=https://example.org/\r\n"
                          "[Accounts]\r\nCurrencySymbol=EUR\r\nTaxLabel=GST\r\nPercentTax=17.5\r\n"
                          "Logo=mine.png\r\nPrintOption=2\r\n"
                          "[General]\r\nInterfaceColor=clNavy\r\nCompanyName=Smith & Co\r\n"
                          "Other1Name=Fee\r\nOther2Name=Referrer\r\nOther3Name=GP\r\n"
                          "CompanyLogo=firm.jpg\r\nCheckForUpdates=0\r\n");
    row("file: Signature", full, dollar, "Signature",
        QStringLiteral("Kind regards,\r\n\r\n  Jane Smith"));
    row("file: DatabasePath", full, dollar, "DatabasePath",
        QStringLiteral("/srv/practice/clients.qdb"));
    row("file: LinkWebsiteText", full, dollar, "LinkWebsiteText", QStringLiteral("Search"));
    row("file: LinkWebsiteURL", full, dollar, "LinkWebsiteURL",
        QStringLiteral("https://example.org/"));
    row("file: CurrencySymbol", full, dollar, "CurrencySymbol", QStringLiteral("EUR"));
    row("file: TaxLabel wins over the locale", full, kPound, "TaxLabel", QStringLiteral("GST"));
    row("file: PercentTax", full, dollar, "PercentTax", 17.5);
    row("file: Logo", full, dollar, "Logo", QStringLiteral("mine.png"));
    row("file: PrintOption", full, dollar, "PrintOption", 2);
    row("file: InterfaceColor", full, dollar, "InterfaceColor", quint32(0x800000));
    row("file: CompanyName", full, dollar, "CompanyName", QStringLiteral("Smith & Co"));
    row("file: Other1Name", full, dollar, "Other1Name", QStringLiteral("Fee"));
    row("file: Other2Name", full, dollar, "Other2Name", QStringLiteral("Referrer"));
    row("file: Other3Name", full, dollar, "Other3Name", QStringLiteral("GP"));
    row("file: CompanyLogo", full, dollar, "CompanyLogo", QStringLiteral("firm.jpg"));
    row("file: CheckForUpdates", full, dollar, "CheckForUpdates", false);
    row("file: fixed paths are not read", "[Program]\nTempFolder=/x\nImagesFolder=/y\n", dollar,
        "ImagesFolder", QStringLiteral("<data>images/"));

    // Defaults for bad values; good keys around them still count.
    const QByteArray bad("[Program]\nDB=\n[Accounts]\nPercentTax=abc\nPrintOption=two\n"
                         "[General]\nCheckForUpdates=yes\nInterfaceColor=clNotAColour\n"
                         "this line means nothing\n\x01\x02\n[\nOther1Name=Kept\n");
    row("bad: empty DB", bad, dollar, "DatabasePath", QStringLiteral("<data>Quillon.qdb"));
    row("bad: PercentTax", bad, dollar, "PercentTax", 0.0);
    row("bad: PrintOption", bad, dollar, "PrintOption", 0);
    row("bad: CheckForUpdates", bad, dollar, "CheckForUpdates", true);
    row("bad: unknown colour is white", bad, dollar, "InterfaceColor", quint32(0xFFFFFF));
    row("bad: key among garbage", bad, dollar, "Other1Name", QStringLiteral("Kept"));
    row("blank DB", "[Program]\nDB=   \n", dollar, "DatabasePath",
        QStringLiteral("<data>Quillon.qdb"));
    row("PercentTax with comma", "[Accounts]\nPercentTax=17,5\n", dollar, "PercentTax", 17.5);
    row("PercentTax not finite", "[Accounts]\nPercentTax=nan\n", dollar, "PercentTax", 0.0);
    row("PercentTax with blanks", "[Accounts]\nPercentTax = 8.25 \n", dollar, "PercentTax", 8.25);
    row("CheckForUpdates other number", "[General]\nCheckForUpdates=7\n", dollar, "CheckForUpdates",
        true);
    row("PrintOption negative", "[Accounts]\nPrintOption=-1\n", dollar, "PrintOption", -1);
    row("colour as dollar hex", "[General]\nInterfaceColor=$00FF8000\n", dollar, "InterfaceColor",
        quint32(0xFF8000));
    row("system colour as negative decimal", "[General]\nInterfaceColor=-16777201\n", dollar,
        "InterfaceColor", quint32(0xFF00000F));

    // Currency symbol and tax label: the label follows the locale only.
    row("own currency does not move tax label", "[Accounts]\nCurrencySymbol=\xA3\n", dollar,
        "TaxLabel", QStringLiteral("Tax"));
    row("own currency with pound locale", "[Accounts]\nCurrencySymbol=$\n", kPound, "TaxLabel",
        QStringLiteral("VAT"));

    // Character sets and names.
    row("windows-1252 pound", "[Accounts]\r\nCurrencySymbol=\xA3\r\n", dollar, "CurrencySymbol",
        kPound);
    row("utf-8 accents", "[General]\nCompanyName=Soci\xC3\xA9t\xC3\xA9 \xC3\x89mile\n", dollar,
        "CompanyName", QStringLiteral("Soci\u00E9t\u00E9 \u00C9mile"));
    row("names ignore case", "[general]\nOTHER1NAME=Fee\n", dollar, "Other1Name",
        QStringLiteral("Fee"));
    row("signature keys ignored, file order kept", "[signature]\nb=first\na=second\n", dollar,
        "Signature", QStringLiteral("first\r\nsecond"));
}

void TestSettings::load() {
    QFETCH(QByteArray, file);
    QFETCH(QString, localeSymbol);
    QFETCH(QString, name);
    QFETCH(QVariant, expected);
    if (!file.isNull())
        writeSettings(file);
    if (expected.typeId() == QMetaType::QString)
        expected = expected.toString().replace(QStringLiteral("<data>"), TAppPaths::dataDir());

    const TAppSettings s(localeSymbol);
    QCOMPARE(field(s, name), expected);
}

void TestSettings::foldersCreated() {
    const TAppSettings s(QStringLiteral("$"));
    QVERIFY(QFileInfo(s.ImagesFolder).isDir());
    QVERIFY(QFileInfo(s.TempFolder).isDir());
    QVERIFY(!QFile::exists(s.SettingsFile())); // only Save() writes it
}

void TestSettings::saveKeepsEverythingElse() {
    writeSettings("; Practice settings\r\n"
                  "[Program]\r\n"
                  "db=/old/path.qdb\r\n"
                  "Window=maximised\r\n"
                  "\r\n"
                  "[Custom]\r\n"
                  "Anything=goes\r\n"
                  "  ; indented comment\r\n"
                  "\r\n"
                  "[Signature]\r\n"
                  "; my signature\r\n"
                  "0=Old line one\r\n"
                  "1=Old line two\r\n"
                  "\r\n"
                  "[General]\r\n"
                  "Other1Name=Fee\r\n"
                  "garbage\r\n"
                  "InterfaceColor=clWhite\r\n"
                  "Unrelated=1\r\n"
                  "[Accounts]\r\n"
                  "PercentTax=20\r\n");
    TAppSettings s(kPound);
    s.DatabasePath = QStringLiteral("/new/path.qdb");
    s.Signature = QStringLiteral("Regards");
    s.Other1Name = QStringLiteral("Fee \u00A3");
    s.InterfaceColor = 0x00FF8000;
    s.PercentTax = 17.5;
    QString error;
    QVERIFY2(s.Save(&error), qPrintable(error));

    QCOMPARE(QString::fromUtf8(readSettings()), QStringLiteral("; Practice settings\r\n"
                                                               "[Program]\r\n"
                                                               "db=/new/path.qdb\r\n"
                                                               "Window=maximised\r\n"
                                                               "\r\n"
                                                               "[Custom]\r\n"
                                                               "Anything=goes\r\n"
                                                               "  ; indented comment\r\n"
                                                               "\r\n"
                                                               "[Signature]\r\n"
                                                               "0=Regards\r\n"
                                                               "; my signature\r\n"
                                                               "\r\n"
                                                               "[General]\r\n"
                                                               "Other1Name=Fee \u00A3\r\n"
                                                               "garbage\r\n"
                                                               "InterfaceColor=$00FF8000\r\n"
                                                               "Unrelated=1\r\n"
                                                               "CompanyLogo=quillon.jpg\r\n"
                                                               "CompanyName=\r\n"
                                                               "Other2Name=Other 2\r\n"
                                                               "Other3Name=Other 3\r\n"
                                                               "CheckForUpdates=1\r\n"
                                                               "[Accounts]\r\n"
                                                               "PercentTax=17.5\r\n"
                                                               "CurrencySymbol=\u00A3\r\n"
                                                               "TaxLabel=VAT\r\n"
                                                               "Logo=default.jpg\r\n"
                                                               "PrintOption=0\r\n"
                                                               "\r\n"
                                                               "[LinkWebsite]\r\n"
                                                               "Text=Web search\r\n"
                                                               "URL=") +
                                                    TAppSettings::DefaultLinkWebsiteURL() +
                                                    QStringLiteral("\r\n"));
}

void TestSettings::saveNewFileRoundTrip() {
    TAppSettings s(QStringLiteral("$"));
    s.DatabasePath = QStringLiteral("/home/jane/My Practice/clients.qdb");
    s.Signature = QStringLiteral("  Jane \"JJ\" Smith\nSoci\u00E9t\u00E9\r\n\r\nLast ");
    s.LinkWebsiteText = QStringLiteral("Look up");
    s.LinkWebsiteURL = QStringLiteral("https://example.org/?q=a=b");
    s.CurrencySymbol = kPound;
    s.TaxLabel = QStringLiteral("VAT");
    s.PercentTax = 12.345;
    s.Logo = QStringLiteral("report logo.bmp");
    s.PrintOption = 1;
    s.CompanyLogo = QStringLiteral("firm.png");
    s.CompanyName = QStringLiteral("\"Smith\" & Daughters");
    s.Other1Name = QStringLiteral("Referrer");
    s.Other2Name = QStringLiteral("GP");
    s.Other3Name = QStringLiteral("  ");
    s.InterfaceColor = 0xFF00000F;
    s.CheckForUpdates = false;
    QVERIFY(s.Save());

    const QString text = QString::fromUtf8(readSettings());
    // New sections come in the order they are written.
    const QStringList order = {QStringLiteral("[Signature]"), QStringLiteral("[Program]"),
                               QStringLiteral("[LinkWebsite]"), QStringLiteral("[Accounts]"),
                               QStringLiteral("[General]")};
    qsizetype last = -1;
    for (const QString& section : order) {
        const qsizetype at = text.indexOf(section);
        QVERIFY2(at > last, qPrintable(section));
        last = at;
    }
    QVERIFY(text.contains(QStringLiteral("InterfaceColor=clBtnFace")));

    const TAppSettings r(QStringLiteral("$"));
    QCOMPARE(r.DatabasePath, s.DatabasePath);
    QCOMPARE(r.Signature, QStringLiteral("  Jane \"JJ\" Smith\r\nSoci\u00E9t\u00E9\r\n\r\nLast "));
    QCOMPARE(r.LinkWebsiteText, s.LinkWebsiteText);
    QCOMPARE(r.LinkWebsiteURL, s.LinkWebsiteURL);
    QCOMPARE(r.CurrencySymbol, s.CurrencySymbol);
    QCOMPARE(r.TaxLabel, s.TaxLabel);
    QCOMPARE(r.PercentTax, s.PercentTax);
    QCOMPARE(r.Logo, s.Logo);
    QCOMPARE(r.PrintOption, s.PrintOption);
    QCOMPARE(r.CompanyLogo, s.CompanyLogo);
    QCOMPARE(r.CompanyName, s.CompanyName);
    QCOMPARE(r.Other1Name, s.Other1Name);
    QCOMPARE(r.Other2Name, s.Other2Name);
    QCOMPARE(r.Other3Name, s.Other3Name);
    QCOMPARE(r.InterfaceColor, s.InterfaceColor);
    QCOMPARE(r.CheckForUpdates, s.CheckForUpdates);
}

void TestSettings::signatureShrinks() {
    TAppSettings s(QStringLiteral("$"));
    s.Signature = QStringLiteral("One\r\nTwo\r\nThree");
    QVERIFY(s.Save());
    QCOMPARE(TAppSettings(QStringLiteral("$")).Signature, s.Signature);

    s.Signature = QStringLiteral("Only");
    QVERIFY(s.Save());
    const QString text = QString::fromUtf8(readSettings());
    QVERIFY(text.contains(QStringLiteral("[Signature]\n0=Only\n")));
    QVERIFY(!text.contains(QStringLiteral("Two")));
    QCOMPARE(TAppSettings(QStringLiteral("$")).Signature, QStringLiteral("Only"));

    s.Signature.clear();
    QVERIFY(s.Save());
    QCOMPARE(TAppSettings(QStringLiteral("$")).Signature, QString());
}

void TestSettings::percentTaxIgnoresLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TAppSettings s(QStringLiteral("\u20AC"));
    s.PercentTax = 17.5;
    QVERIFY(s.Save());
    QVERIFY(readSettings().contains("PercentTax=17.5\n"));
    QCOMPARE(TAppSettings(QStringLiteral("\u20AC")).PercentTax, 17.5);

    s.PercentTax = 0;
    QVERIFY(s.Save());
    QVERIFY(readSettings().contains("PercentTax=0\n"));
}

void TestSettings::saveRefusesUnreadableFile() {
    // A settings "file" that cannot be read must not be replaced by one holding only our keys.
    QVERIFY(QDir(TAppPaths::dataDir()).mkdir(QStringLiteral("settings.ini")));
    TAppSettings s(QStringLiteral("$"));
    QString error;
    QVERIFY(!s.Save(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(s.SettingsFile()).isDir());
}

void TestSettings::stringToColor_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("value");

    QTest::newRow("clBlack") << QStringLiteral("clBlack") << true << quint32(0x000000);
    QTest::newRow("clMaroon") << QStringLiteral("clMaroon") << true << quint32(0x000080);
    QTest::newRow("clRed") << QStringLiteral("clRed") << true << quint32(0x0000FF);
    QTest::newRow("clBlue") << QStringLiteral("clBlue") << true << quint32(0xFF0000);
    QTest::newRow("clMoneyGreen") << QStringLiteral("clMoneyGreen") << true << quint32(0xC0DCC0);
    QTest::newRow("clSkyBlue") << QStringLiteral("clSkyBlue") << true << quint32(0xF0CAA6);
    QTest::newRow("clCream") << QStringLiteral("clCream") << true << quint32(0xF0FBFF);
    QTest::newRow("clMedGray") << QStringLiteral("clMedGray") << true << quint32(0xA4A0A0);
    QTest::newRow("any case, blanks") << QStringLiteral(" CLWHITE ") << true << quint32(0xFFFFFF);
    QTest::newRow("clScrollBar") << QStringLiteral("clScrollBar") << true << quint32(0xFF000000);
    QTest::newRow("clBtnFace") << QStringLiteral("clBtnFace") << true << quint32(0xFF00000F);
    QTest::newRow("clHotLight") << QStringLiteral("clHotLight") << true << quint32(0xFF00001A);
    QTest::newRow("clMenuBar") << QStringLiteral("clMenuBar") << true << quint32(0xFF00001E);
    QTest::newRow("clNone") << QStringLiteral("clNone") << true << quint32(0x1FFFFFFF);
    QTest::newRow("clDefault") << QStringLiteral("clDefault") << true << quint32(0x20000000);
    QTest::newRow("dollar hex") << QStringLiteral("$00FF8000") << true << quint32(0xFF8000);
    QTest::newRow("dollar hex lower") << QStringLiteral("$ff8000") << true << quint32(0xFF8000);
    QTest::newRow("0x hex") << QStringLiteral("0x10") << true << quint32(16);
    QTest::newRow("decimal") << QStringLiteral("16777215") << true << quint32(0xFFFFFF);
    QTest::newRow("negative decimal") << QStringLiteral("-1") << true << quint32(0xFFFFFFFF);
    QTest::newRow("unknown name") << QStringLiteral("clPlaid") << false << quint32(0);
    QTest::newRow("empty") << QString() << false << quint32(0);
    QTest::newRow("bare dollar") << QStringLiteral("$") << false << quint32(0);
    QTest::newRow("digits then junk") << QStringLiteral("12abc") << false << quint32(0);
    QTest::newRow("beyond 32 bits") << QStringLiteral("4294967296") << false << quint32(0);
    QTest::newRow("hex beyond 32 bits") << QStringLiteral("$100000000") << false << quint32(0);
}

void TestSettings::stringToColor() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, value);
    bool good = !ok;
    const quint32 got = TAppSettings::StringToColor(text, &good);
    QCOMPARE(good, ok);
    if (ok)
        QCOMPARE(got, value);
}

void TestSettings::colorToString_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain name") << quint32(0x800000) << QStringLiteral("clNavy");
    QTest::newRow("white") << quint32(0xFFFFFF) << QStringLiteral("clWhite");
    QTest::newRow("system name") << quint32(0xFF000005) << QStringLiteral("clWindow");
    QTest::newRow("clNone") << quint32(0x1FFFFFFF) << QStringLiteral("clNone");
    QTest::newRow("unnamed: eight upper-case digits")
        << quint32(0x00FF8000) << QStringLiteral("$00FF8000");
    QTest::newRow("small value padded") << quint32(0x0A) << QStringLiteral("$0000000A");
    QTest::newRow("unused system index") << quint32(0xFF000019) << QStringLiteral("$FF000019");
}

void TestSettings::colorToString() {
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(TAppSettings::ColorToString(value), text);
    bool ok = false;
    QCOMPARE(TAppSettings::StringToColor(text, &ok), value);
    QVERIFY(ok);
}

void TestSettings::toQColor() {
    QCOMPARE(TAppSettings::ToQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(TAppSettings::ToQColor(0x800000), QColor(0, 0, 128));
    QCOMPARE(TAppSettings::ToQColor(0x00A6CAF0), QColor(0xF0, 0xCA, 0xA6));
    const QPalette pal = QGuiApplication::palette();
    QCOMPARE(TAppSettings::ToQColor(0xFF000005), pal.color(QPalette::Base));
    QCOMPARE(TAppSettings::ToQColor(0xFF00000D), pal.color(QPalette::Highlight));
    QCOMPARE(TAppSettings::ToQColor(0xFF00000F), pal.color(QPalette::Button));
    QCOMPARE(TAppSettings::ToQColor(0xFF000012), pal.color(QPalette::ButtonText));
    QCOMPARE(TAppSettings::ToQColor(0x1FFFFFFF).alpha(), 0);
}

void TestSettings::logoPaths_data() {
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("ownLogos");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("report");

    QTest::newRow("white, no logo files")
        << QStringLiteral("clWhite") << false << QStringLiteral("<share>default.jpg")
        << QStringLiteral("<share>default.bmp");
    QTest::newRow("white as a number")
        << QStringLiteral("16777215") << false << QStringLiteral("<share>default.jpg")
        << QStringLiteral("<share>default.bmp");
    QTest::newRow("coloured, no logo files")
        << QStringLiteral("clSkyBlue") << false << QStringLiteral("<share>default2.jpg")
        << QStringLiteral("<share>default.bmp");
    QTest::newRow("own logos present")
        << QStringLiteral("clSkyBlue") << true << QStringLiteral("<images>firm.jpg")
        << QStringLiteral("<images>report.png");
}

void TestSettings::logoPaths() {
    QFETCH(QString, colour);
    QFETCH(bool, ownLogos);
    QFETCH(QString, company);
    QFETCH(QString, report);
    writeSettings("[General]\nCompanyLogo=firm.jpg\nInterfaceColor=" + colour.toLatin1() +
                  "\n[Accounts]\nLogo=report.png\n");
    const TAppSettings s(QStringLiteral("$"));
    if (ownLogos) {
        for (const char* name : {"firm.jpg", "report.png"}) {
            QFile f(s.ImagesFolder + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    auto expand = [&](QString path) {
        return path.replace(QStringLiteral("<share>"), TAppPaths::installedDir())
            .replace(QStringLiteral("<images>"), s.ImagesFolder);
    };
    QCOMPARE(s.CompanyLogoPath(), expand(company));
    QCOMPARE(s.ReportLogoPath(), expand(report));
    QVERIFY(QFile::exists(s.CompanyLogoPath()));
    QVERIFY(QFile::exists(s.ReportLogoPath()));
}

void TestSettings::dataFileVersion_data() {
    QTest::addColumn<QString>("change"); // a statement run on the blank database first
    QTest::addColumn<QString>("text");
    QTest::newRow("blank database") << QString() << QStringLiteral("1.3");
    QTest::newRow("no version row")
        << QStringLiteral("DELETE FROM settings WHERE variable = 'datafile_version'")
        << QStringLiteral("Unknown");
    QTest::newRow("empty value")
        << QStringLiteral("UPDATE settings SET value = '' WHERE variable = 'datafile_version'")
        << QStringLiteral("Unknown");
    QTest::newRow("null value")
        << QStringLiteral("UPDATE settings SET value = NULL WHERE variable = 'datafile_version'")
        << QStringLiteral("Unknown");
}

void TestSettings::dataFileVersion() {
    QFETCH(QString, change);
    QFETCH(QString, text);
    DbFixture db;
    if (!change.isEmpty())
        TQuery::execute(change);
    QCOMPARE(TAppSettings(QStringLiteral("$")).DataFileVersionText(), text);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
