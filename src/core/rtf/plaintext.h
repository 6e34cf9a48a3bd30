#pragma once

#include <QString>

class QTextDocument;

// The text of a whole document as it is kept for search: paragraphs and line breaks as "\r\n",
// a table's cells separated by tabs and its rows by "\r\n", pictures and list markers left out.
// Lines are not wrapped, so a phrase is found wherever it stands.
QString DocumentPlainText(const QTextDocument& doc);
