#include "shell/messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QQueue>
#include <cstdio>

namespace {
struct Seam {
    bool testing = false;
    bool console = false;
    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QPair<QString, bool>> texts;
    QQueue<QString> files;
    QStringList shown;
};

Seam& seam() {
    static Seam s;
    return s;
}

QString title() {
    return QApplication::applicationName();
}

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton testDefault) {
    Seam& s = seam();
    s.shown.append(text);
    if (s.testing)
        return s.answers.isEmpty() ? testDefault : s.answers.dequeue();
    if (s.console) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
        return testDefault;
    }
    QMessageBox box(icon, title(), text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

void TMessages::error(QWidget* parent, const QString& text) {
    ask(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessages::information(QWidget* parent, const QString& text) {
    ask(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessages::warning(QWidget* parent, const QString& text) {
    ask(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton TMessages::confirm(QWidget* parent, const QString& text,
                                               bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    return ask(parent, QMessageBox::Question, text, buttons, QMessageBox::No);
}

QMessageBox::StandardButton TMessages::okCancel(QWidget* parent, const QString& text) {
    return ask(parent, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel);
}

bool TMessages::inputText(QWidget* parent, const QString& caption, const QString& prompt,
                          QString& value) {
    Seam& s = seam();
    s.shown.append(prompt);
    if (s.testing) {
        if (s.texts.isEmpty())
            return false;
        auto [text, accepted] = s.texts.dequeue();
        if (accepted)
            value = text;
        return accepted;
    }
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

QString TMessages::openFile(QWidget* parent, const QString& caption, const QString& filter) {
    Seam& s = seam();
    if (s.testing)
        return s.files.isEmpty() ? QString() : s.files.dequeue();
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString TMessages::saveFile(QWidget* parent, const QString& caption, const QString& fileName,
                            const QString& filter) {
    Seam& s = seam();
    if (s.testing)
        return s.files.isEmpty() ? QString() : s.files.dequeue();
    return QFileDialog::getSaveFileName(parent, caption, fileName, filter);
}

void TMessages::setTesting(bool on) {
    seam().testing = on;
}
void TMessages::setConsole(bool on) {
    seam().console = on;
}
void TMessages::setNextAnswer(QMessageBox::StandardButton answer) {
    seam().answers.enqueue(answer);
}
void TMessages::setNextText(const QString& text, bool accepted) {
    seam().texts.enqueue({text, accepted});
}
void TMessages::setNextFile(const QString& path) {
    seam().files.enqueue(path);
}
QStringList& TMessages::shown() {
    return seam().shown;
}
