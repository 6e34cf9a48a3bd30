// Reads every file of the shared RTF corpus and compares its text with the reference text
// LibreOffice extracted from it.
#include "helper_plaintext.h"
#include "rtf/rtfreader.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <QtTest>

namespace {

QString CorpusDir() {
    return QStringLiteral(QUILLON_SHARED_DIR "/rtf-corpus");
}

// "folder/name.rtf  reason" lines; the listed files may differ from the reference text.
QHash<QString, QString> Exceptions() {
    QHash<QString, QString> out;
    QFile f(QStringLiteral(QUILLON_TEST_DATA_DIR "/corpus_exceptions.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        out.insert(space < 0 ? line : line.left(space),
                   space < 0 ? QString() : line.mid(space + 1).trimmed());
    }
    return out;
}

// Where two texts first part, with some context, for a readable failure.
QString FirstDifference(const QString& ours, const QString& ref) {
    qsizetype i = 0;
    while (i < ours.size() && i < ref.size() && ours.at(i) == ref.at(i))
        ++i;
    const qsizetype from = qMax<qsizetype>(0, i - 40);
    return QStringLiteral("at %1:\n  ours: ...%2\n  ref:  ...%3")
        .arg(i)
        .arg(ours.mid(from, 120), ref.mid(from, 120));
}

} // namespace

class TestRtfCorpus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QDir(CorpusDir()).exists())
            QSKIP("The shared RTF corpus is not present (" QUILLON_SHARED_DIR "/rtf-corpus)");
    }

    void readsLikeReference_data() {
        QTest::addColumn<QString>("path");
        const QDir base(CorpusDir());
        QStringList files;
        QDirIterator it(CorpusDir(), {QStringLiteral("*.rtf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(base.relativeFilePath(it.next()));
        files.sort();
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f;
    }

    void readsLikeReference() {
        QFETCH(QString, path);
        const QString full = CorpusDir() + QLatin1Char('/') + path;
        QTextDocument doc;
        QElapsedTimer timer;
        timer.start();
        const TRtfReadResult r = TRtfReader::ReadFile(full, &doc);
        // A generous bound that only a hang or runaway work would break.
        QVERIFY2(timer.elapsed() < 20000, "reading took far too long");
        const QString ours = NormaliseText(DocumentTextWithMarkers(&doc));
        if (qEnvironmentVariableIsSet("QUILLON_DUMP_RTF_TEXT"))
            qInfo().noquote() << "OURS" << path << "\n" << DocumentTextWithMarkers(&doc);

        QString refPath = full;
        refPath.replace(QLatin1String(".rtf"), QLatin1String(".expected.txt"));
        QFile refFile(refPath);
        if (!refFile.open(QIODevice::ReadOnly))
            QSKIP("no reference text for this file");
        const QString ref = NormaliseText(QString::fromUtf8(refFile.readAll()));
        const QHash<QString, QString> exceptions = Exceptions();
        if (exceptions.contains(path)) {
            // An input reported as an error stays an exception even when its text matches.
            if (r.ok && ours == ref)
                qWarning("%s matches the reference now; drop it from the exceptions",
                         qPrintable(path));
            return;
        }
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY2(ours == ref, qPrintable(FirstDifference(ours, ref)));
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_corpus.moc"
