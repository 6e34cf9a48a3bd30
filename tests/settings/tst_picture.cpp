#include "shell/picture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Logos are chosen by the user, so any file may arrive here; none may crash the program.
class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void load_data();
    void load();
    void colours_data();
    void colours();

private:
    QString write(const QString& name, const QByteArray& bytes);
    static QByteArray installed(const char* name);

    QTemporaryDir m_dir;
};

QByteArray TestPicture::installed(const char* name) {
    QFile f(QStringLiteral(QUILLON_SHARE_DIR "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TestPicture::write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

void TestPicture::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(!installed("default.jpg").isEmpty());
}

void TestPicture::load_data() {
    QTest::addColumn<QByteArray>("bytes"); // null: no file at all
    QTest::addColumn<QSize>("size");       // empty: an error is expected

    const QByteArray jpeg = installed("default.jpg");
    QTest::newRow("installed logo strip") << jpeg << QSize(250, 80);
    QTest::newRow("installed logo for coloured windows")
        << installed("default2.jpg") << QSize(250, 80);
    QTest::newRow("installed report logo (BMP)") << installed("default.bmp") << QSize(250, 80);
    QTest::newRow("installed splash (PNG)") << installed("splash.png") << QSize(559, 301);

    QTest::newRow("truncated JPEG") << jpeg.left(jpeg.size() / 2) << QSize();
    QTest::newRow("JPEG cut after its header") << jpeg.left(200) << QSize();
    QTest::newRow("JPEG signature then noise")
        << QByteArray("\xFF\xD8\xFF\xE0 this is not really a picture at all") << QSize();

    // A header claiming 65535 x 65535 pixels must be refused before memory is taken for it.
    QByteArray huge = jpeg;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof > 0) {
        for (int i = 5; i <= 8; ++i)
            huge[sof + i] = char(0xFF);
    }
    QTest::newRow("JPEG claiming a gigantic size") << huge << QSize();

    QTest::newRow("text file") << QByteArray("Not a picture\n") << QSize();
    QTest::newRow("empty file") << QByteArray("") << QSize();
    QTest::newRow("missing file") << QByteArray() << QSize();
}

void TestPicture::load() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const QString path =
        bytes.isNull()
            ? m_dir.filePath(QStringLiteral("absent.jpg"))
            : write(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".jpg"), bytes);
    QString error;
    const QImage image = LoadPicture(path, &error);
    if (size.isEmpty()) {
        QVERIFY(image.isNull());
        QVERIFY(error.contains(path));
    } else {
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), size);
    }
}

void TestPicture::colours_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("colour");

    // Made with Qt's own writer, so channel order and grey conversion are checked against it.
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(220, 30, 40));
    const QString redPath = m_dir.filePath(QStringLiteral("red.jpg"));
    QVERIFY(red.save(redPath, "JPG", 100));
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(QColor(100, 100, 100));
    const QString greyPath = m_dir.filePath(QStringLiteral("grey.jpg"));
    QVERIFY(grey.save(greyPath, "JPG", 100));

    QTest::newRow("RGB") << redPath << QColor(220, 30, 40);
    QTest::newRow("greyscale") << greyPath << QColor(100, 100, 100);
    QTest::newRow("Adobe CMYK") << QStringLiteral(QUILLON_TEST_DATA_DIR "/red_cmyk.jpg")
                                << QColor(255, 0, 0);
    QTest::newRow("white of the installed logo")
        << QStringLiteral(QUILLON_SHARE_DIR "/default.jpg") << QColor(255, 255, 255);
}

void TestPicture::colours() {
    QFETCH(QString, path);
    QFETCH(QColor, colour);
    QString error;
    const QImage image = LoadPicture(path, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    const QColor got = image.pixelColor(image.width() - 1, image.height() - 1);
    const int tolerance = 4; // JPEG is lossy
    QVERIFY2(qAbs(got.red() - colour.red()) <= tolerance &&
                 qAbs(got.green() - colour.green()) <= tolerance &&
                 qAbs(got.blue() - colour.blue()) <= tolerance,
             qPrintable(got.name() + QStringLiteral(" instead of ") + colour.name()));
}

QTEST_GUILESS_MAIN(TestPicture)
#include "tst_picture.moc"
