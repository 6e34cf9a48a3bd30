#include "shell/application.h"

#include "data/dbcontainer.h"
#include "data/dberror.h"
#include "shell/messages.h"

TQuillonApplication::TQuillonApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TQuillonApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        TMessages::error(activeWindow(), QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

void TQuillonApplication::ShowException(const std::exception& e) {
    QWidget* parent = QApplication::activeWindow();
    if (const auto* db = dynamic_cast<const TDbError*>(&e)) {
        TMessages::error(parent, db->message());
    } else if (const auto* startup = dynamic_cast<const TStartupError*>(&e)) {
        TMessages::error(parent,
                         QString(startup->message()).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    } else {
        TMessages::error(parent, QString::fromLocal8Bit(e.what()));
    }
}
