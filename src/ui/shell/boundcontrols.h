#pragma once

#include "data/ocontrol.h"

#include <QWidget>
#include <memory>
#include <vector>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// A labelled edit box: a caption above a one-line edit. Its object name is the column it shows;
// the label is the edit's buddy, so the caption is also the edit's accessible name.
class TLabelledEdit : public QWidget {
    Q_OBJECT
public:
    TLabelledEdit(const QString& name, const QString& caption, QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    QLineEdit* edit() const { return m_edit; }
    QString caption() const;
    void setCaption(const QString& caption);
    QString text() const;
    void setText(const QString& text);

private:
    QLabel* m_label;
    QLineEdit* m_edit;
};

// Adapters that let the client record read and write real widgets by name. Each adapter is
// owned by its widget (a child QObject), so it lives exactly as long as the control it serves.
IBoundControl* boundControlFor(QWidget* widget); // nullptr for widgets that are never bound

// A widget tree as the binding walks it: group boxes, plain panels and frames, and tab pages
// are containers; edit boxes, labelled edits, memos, combo boxes and date-time pickers are
// bound; labels, buttons and everything else are skipped. Child nodes are owned by their parent.
class TWidgetNode : public IControlNode {
public:
    explicit TWidgetNode(QWidget* widget);
    ~TWidgetNode() override;

    Role role() const override;
    QList<IControlNode*> children() const override;
    IBoundControl* bindable() const override;

private:
    QWidget* m_widget;
    mutable std::vector<std::unique_ptr<TWidgetNode>> m_children;
    mutable bool m_childrenBuilt = false;
};
