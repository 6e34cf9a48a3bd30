#pragma once

class QTextDocument;

// Fills doc with one of everything the writer handles: character and paragraph formats, a
// bullet and a numbered list, a table with merged cells and a nested table, a picture, a link.
void BuildSampleDocument(QTextDocument* doc);
