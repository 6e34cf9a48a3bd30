#pragma once

#include <QApplication>

// The application object. Its notify() is the program's general error handler: a database
// error or any other exception thrown by an event handler is shown to the user and the event
// loop carries on, so no exception ever crosses it.
class TQuillonApplication : public QApplication {
    Q_OBJECT
public:
    TQuillonApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an exception caught at the top of an action.
    static void ShowException(const std::exception& e);
};
