#pragma once

class QLabel;
class QString;
class QWidget;

// A centred note saying that a view is not ready yet, for views still being written.
QLabel* PendingNote(QWidget* parent, const QString& viewName);
