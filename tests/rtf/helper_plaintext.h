#pragma once

#include <QString>

class QTextDocument;

// The document's text as a reader sees it: list items start with their marker ("•" for
// bullets, the number otherwise), pictures leave nothing.
QString DocumentTextWithMarkers(const QTextDocument* doc);

// Text compared with the reference: bullets of every font unified, all white space runs
// collapsed to one space, trimmed.
QString NormaliseText(const QString& text);
