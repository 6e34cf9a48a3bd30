#include "shell/buttons.h"

#include <QPushButton>

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')).trimmed());
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}
