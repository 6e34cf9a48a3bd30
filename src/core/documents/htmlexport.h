#pragma once

#include <QString>

class QTextDocument;

// The document as one self-contained HTML page: Qt's HTML with every picture embedded as a
// data: address, so the page shows its pictures wherever it is opened.
QString DocumentHtml(const QTextDocument& doc);
