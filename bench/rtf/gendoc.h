#pragma once

class QTextDocument;

// A generated practice document: per section a heading, formatted paragraphs, a bullet and a
// numbered list, a table of fees and (every fourth section) a picture. Deterministic.
void GenerateDocument(QTextDocument* doc, int sections, bool withPictures);
