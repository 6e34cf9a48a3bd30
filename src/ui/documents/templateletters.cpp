#include "documents/templateletters.h"

#include "shell/pendingnote.h"

#include <QLabel>
#include <QVBoxLayout>

TfmeTemplateLetters::TfmeTemplateLetters(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmeTemplateLetters"));
    setAccessibleName(QStringLiteral("Template editor"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PendingNote(this, QStringLiteral("The template editor")));
}
