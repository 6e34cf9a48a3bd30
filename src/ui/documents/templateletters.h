#pragma once

#include <QWidget>

// The template editor view: the list of document templates. No visible control selects it.
class TfmeTemplateLetters : public QWidget {
    Q_OBJECT
public:
    enum TMode { tmSelect, tmDesign };

    explicit TfmeTemplateLetters(QWidget* parent = nullptr);

    void SetMode(TMode mode) { m_mode = mode; }
    TMode Mode() const { return m_mode; }

private:
    TMode m_mode = tmSelect;
};
