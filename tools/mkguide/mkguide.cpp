// Writes the user guide PDF from the help page: quillon-mkguide <help.html> <out.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Runs during the build, where there is no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quillon-mkguide <help.html> <out.pdf>\n");
        return 2;
    }
    QFile in(args.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QString html = QString::fromUtf8(in.readAll());
    html.replace(QStringLiteral("<h1>Quillon Help</h1>"),
                 QStringLiteral("<h1>Quillon User Guide</h1>"));

    // Written beside the target and renamed, so a failed run leaves no half-made guide.
    const QString out = args.at(2);
    const QString partial = out + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setTitle(QStringLiteral("Quillon User Guide"));
        writer.setCreator(QStringLiteral("Quillon"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        QTextDocument doc;
        QFont font(QStringLiteral("Liberation Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSize(11);
        doc.setDefaultFont(font);
        doc.setHtml(html);
        doc.print(&writer);
    }
    QFile::remove(out);
    if (!QFile::rename(partial, out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
