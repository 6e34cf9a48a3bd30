#pragma once

#include <QWidget>

// The accounts view: the practice's account transactions. No visible control selects it.
class TfmeAccounts : public QWidget {
    Q_OBJECT
public:
    explicit TfmeAccounts(QWidget* parent = nullptr);
};
