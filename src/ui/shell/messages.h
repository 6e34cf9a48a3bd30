#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// The one seam for message boxes, input boxes and file dialogs. Tests queue answers with
// setNextAnswer()/setNextText()/setNextFile() so no test ever blocks on a modal dialog; every
// message shown is recorded in shown() for assertions.
class TMessages {
public:
    static void error(QWidget* parent, const QString& text);
    static void information(QWidget* parent, const QString& text);
    static void warning(QWidget* parent, const QString& text);
    // Yes/No (or Yes/No/Cancel when withCancel); returns QMessageBox::Yes/No/Cancel.
    static QMessageBox::StandardButton confirm(QWidget* parent, const QString& text,
                                               bool withCancel = false);
    // OK/Cancel; returns QMessageBox::Ok or Cancel.
    static QMessageBox::StandardButton okCancel(QWidget* parent, const QString& text);
    // Returns false when cancelled.
    static bool inputText(QWidget* parent, const QString& caption, const QString& prompt,
                          QString& value);
    // Empty when cancelled.
    static QString openFile(QWidget* parent, const QString& caption, const QString& filter);
    static QString saveFile(QWidget* parent, const QString& caption, const QString& fileName,
                            const QString& filter);

    // Test seam.
    static void setTesting(bool on);
    // Console mode, for processes run by tests and scripts: messages are written to stderr
    // and answered with the default instead of waiting for a click.
    static void setConsole(bool on);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static void setNextText(const QString& text, bool accepted = true);
    static void setNextFile(const QString& path);
    static QStringList& shown();
};
