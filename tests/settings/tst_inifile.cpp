#include "shell/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The settings file reader and writer: lines it does not write must come back untouched.
class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void read_data();
    void read();
    void write_data();
    void write();
    void valueRoundTrip_data();
    void valueRoundTrip();
    void eraseSectionKeys();
    void fileRoundTrip();
    void missingAndUnreadableFiles();
};

void TestIniFile::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("a=b") << QStringLiteral("a=b");
    QTest::newRow("utf-8 accents")
        << QByteArray("x=Soci\xC3\xA9t\xC3\xA9") << QStringLiteral("x=Soci\u00E9t\u00E9");
    QTest::newRow("utf-8 pound") << QByteArray("\xC2\xA3") << QStringLiteral("\u00A3");
    QTest::newRow("utf-8 byte-order mark dropped")
        << QByteArray("\xEF\xBB\xBFx=1") << QStringLiteral("x=1");
    QTest::newRow("windows-1252 pound")
        << QByteArray("CurrencySymbol=\xA3") << QStringLiteral("CurrencySymbol=\u00A3");
    QTest::newRow("windows-1252 euro and quotes")
        << QByteArray("\x80 \x93hi\x94 \xE9") << QStringLiteral("\u20AC \u201Chi\u201D \u00E9");
    QTest::newRow("utf-8 cut inside a character")
        << QByteArray("caf\xC3") << QStringLiteral("caf\u00C3");
}

void TestIniFile::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TIniFile::decode(bytes), text);
}

void TestIniFile::read_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // "<absent>" for the default

    const QString file = QStringLiteral("orphan=before any section\n"
                                        "[General]\n"
                                        "Name=Alpha\n"
                                        "  Spaced Key  =  padded value  \n"
                                        "Equals=a=b=c\n"
                                        "Quoted=\"  kept  \"\n"
                                        "Half=\"open\n"
                                        "Empty=\n"
                                        "; Comment=no\n"
                                        "# Hash=no\n"
                                        "garbage line without equals\n"
                                        "=no key\n"
                                        "Name=Second copy\n"
                                        "[Other]\n"
                                        "Name=Beta\n"
                                        "[broken section\n"
                                        "Broken=still in Other\n"
                                        "[GENERAL]\n"
                                        "Late=in a second General section\n");

    auto row = [&](const char* tag, const char* section, const char* key, const QString& value) {
        QTest::newRow(tag) << file << QString::fromLatin1(section) << QString::fromLatin1(key)
                           << value;
    };
    row("plain", "General", "Name", QStringLiteral("Alpha"));
    row("names ignore case", "gEnErAl", "NAME", QStringLiteral("Alpha"));
    row("blanks around key and value", "General", "Spaced Key", QStringLiteral("padded value"));
    row("text after the first equals", "General", "Equals", QStringLiteral("a=b=c"));
    row("enclosing quotes removed", "General", "Quoted", QStringLiteral("  kept  "));
    row("lone quote kept", "General", "Half", QStringLiteral("\"open"));
    row("empty value", "General", "Empty", QString());
    row("comment is no key", "General", "; Comment", QStringLiteral("<absent>"));
    row("hash comment is no key", "General", "# Hash", QStringLiteral("<absent>"));
    row("other section", "Other", "Name", QStringLiteral("Beta"));
    row("bad header belongs to the section before", "Other", "Broken",
        QStringLiteral("still in Other"));
    row("key before any section", "", "orphan", QStringLiteral("<absent>"));
    row("second section of a name is not read", "General", "Late", QStringLiteral("<absent>"));
    row("missing section", "Nowhere", "Name", QStringLiteral("<absent>"));
    row("missing key", "General", "Nothing", QStringLiteral("<absent>"));
}

void TestIniFile::read() {
    QFETCH(QString, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TIniFile ini;
    ini.setText(file);
    QCOMPARE(ini.readString(section, key, QStringLiteral("<absent>")), value);
    QCOMPARE(ini.hasKey(section, key), value != QStringLiteral("<absent>"));
}

void TestIniFile::write_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    const QString file = QStringLiteral("; settings\n"
                                        "[A]\n"
                                        "One=1\n"
                                        "junk\n"
                                        "Two=2\n"
                                        "\n"
                                        "[B]\n"
                                        "Three=3\n");
    QTest::newRow("rewritten in place, spelled as in the file")
        << file << QStringLiteral("a") << QStringLiteral("ONE") << QStringLiteral("uno")
        << QStringLiteral("; settings\n[A]\nOne=uno\njunk\nTwo=2\n\n[B]\nThree=3\n");
    QTest::newRow("new key after the section's last key, before the blank line")
        << file << QStringLiteral("A") << QStringLiteral("Four") << QStringLiteral("4")
        << QStringLiteral("; settings\n[A]\nOne=1\njunk\nTwo=2\nFour=4\n\n[B]\nThree=3\n");
    QTest::newRow("new key in the last section")
        << file << QStringLiteral("B") << QStringLiteral("Five") << QStringLiteral("5")
        << QStringLiteral("; settings\n[A]\nOne=1\njunk\nTwo=2\n\n[B]\nThree=3\nFive=5\n");
    QTest::newRow("new section at the end after a blank line")
        << file << QStringLiteral("C") << QStringLiteral("Six") << QStringLiteral("6")
        << QStringLiteral("; settings\n[A]\nOne=1\njunk\nTwo=2\n\n[B]\nThree=3\n\n[C]\nSix=6\n");
    QTest::newRow("new section in an empty file")
        << QString() << QStringLiteral("C") << QStringLiteral("Six") << QStringLiteral("6")
        << QStringLiteral("[C]\nSix=6\n");
    QTest::newRow("key into a section without keys")
        << QStringLiteral("[A]\n; note\n[B]\n") << QStringLiteral("A") << QStringLiteral("K")
        << QStringLiteral("v") << QStringLiteral("[A]\nK=v\n; note\n[B]\n");
    QTest::newRow("windows line breaks kept")
        << QStringLiteral("[A]\r\nOne=1\r\n") << QStringLiteral("A") << QStringLiteral("Two")
        << QStringLiteral("2") << QStringLiteral("[A]\r\nOne=1\r\nTwo=2\r\n");
    QTest::newRow("line break in a value cannot add a line")
        << QStringLiteral("[A]\nOne=1\n") << QStringLiteral("A") << QStringLiteral("One")
        << QStringLiteral("x\r\n[Evil]\nk=v") << QStringLiteral("[A]\nOne=x [Evil] k=v\n");
}

void TestIniFile::write() {
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    TIniFile ini;
    ini.setText(before);
    ini.writeString(section, key, value);
    QCOMPARE(ini.text(), after);
}

void TestIniFile::valueRoundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("leading blanks") << QStringLiteral("   indented");
    QTest::newRow("trailing blank") << QStringLiteral("end ");
    QTest::newRow("quoted") << QStringLiteral("\"quoted\"");
    QTest::newRow("lone quote") << QStringLiteral("\"");
    QTest::newRow("equals and semicolon") << QStringLiteral("a=b; c");
    QTest::newRow("brackets") << QStringLiteral("[not a section]");
    QTest::newRow("non-latin") << QStringLiteral("\u00A3 \u20AC \u00E9 \u65E5\u672C");
}

void TestIniFile::valueRoundTrip() {
    QFETCH(QString, value);
    TIniFile ini;
    ini.writeString(QStringLiteral("S"), QStringLiteral("K"), value);
    TIniFile reread;
    reread.setText(ini.text());
    QCOMPARE(reread.readString(QStringLiteral("S"), QStringLiteral("K")), value);
}

void TestIniFile::eraseSectionKeys() {
    TIniFile ini;
    ini.setText(QStringLiteral("[Signature]\n; mine\n0=a\n1=b\n[Other]\n0=keep\n"
                               "[signature]\n5=also gone\n"));
    ini.eraseSectionKeys(QStringLiteral("SIGNATURE"));
    QCOMPARE(ini.text(), QStringLiteral("[Signature]\n; mine\n[Other]\n0=keep\n[signature]\n"));
    QVERIFY(ini.readSectionValues(QStringLiteral("Signature")).isEmpty());
}

void TestIniFile::fileRoundTrip() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    // Windows-1252 in, unrelated garbage, CRLF, no final line break.
    const QByteArray original("[General]\r\n\xFF\xFE junk \x01\r\nName=Caf\xE9\r\nPrice=\xA3"
                              "5\r\n\r\n[Tail]\r\nx=1");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(original);
    }
    TIniFile ini(path);
    QVERIFY(ini.load());
    QCOMPARE(ini.readString(QStringLiteral("general"), QStringLiteral("name")),
             QStringLiteral("Caf\u00E9"));
    ini.writeString(QStringLiteral("General"), QStringLiteral("Price"),
                    QStringLiteral("\u00A3"
                                   "6"));
    QString error;
    QVERIFY2(ini.save(&error), qPrintable(error));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // Written as UTF-8: every character survives, the rest is unchanged.
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("[General]\r\n\u00FF\u00FE junk \u0001\r\nName=Caf\u00E9\r\n"
                            "Price=\u00A3"
                            "6\r\n\r\n[Tail]\r\nx=1\r\n"));
}

void TestIniFile::missingAndUnreadableFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TIniFile missing(dir.filePath(QStringLiteral("none.ini")));
    QVERIFY(missing.load());
    QVERIFY(missing.text().isEmpty());

    // A folder where the file should be cannot be read, and must not be written over.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    TIniFile folder(dir.filePath(QStringLiteral("folder.ini")));
    QString error;
    QVERIFY(!folder.load(&error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!folder.save(&error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
