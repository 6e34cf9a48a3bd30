#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button as every window of the program makes one: its object name (tests and tools
// find it by that), its caption as its accessible name, and its hint when it has one.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint = QString());
