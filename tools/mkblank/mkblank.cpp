// quillon-mkblank SCHEMA.sql OUT.qdb: creates the empty database installed beside the program.
#include "data/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quillon-mkblank SCHEMA.sql OUT.qdb\n");
        return 2;
    }
    QString error;
    if (!TSchema::CreateDatabaseFile(args.at(1), args.at(2), &error)) {
        std::fprintf(stderr, "quillon-mkblank: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
