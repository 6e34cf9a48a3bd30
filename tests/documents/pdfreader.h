#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

// What a test needs to know of a PDF file, read back with qpdf.
struct TPdfOutline {
    QString title;
    int page = 0; // 1-based page the entry points at, 0 when none
    QList<TPdfOutline> kids;
};

struct TPdfFacts {
    bool ok = false;
    int pages = 0;
    QSizeF firstPageSize; // points
    int imagesOnFirstPage = 0;
    QList<TPdfOutline> outlines;
    QString author;
};

TPdfFacts ReadPdfFacts(const QString& path);
