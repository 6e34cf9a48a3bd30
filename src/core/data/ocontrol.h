#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// What a control must offer to be bound to a client column. The UI's widget adapters implement
// it (edit box, labelled edit box, memo, combo box, date-time picker); tests use doubles.
class IBoundControl {
public:
    enum class Kind { Edit, LabelledEdit, Memo, Combo, DateTime };
    virtual ~IBoundControl() = default;
    virtual Kind kind() const = 0;
    virtual QString name() const = 0;   // the control's object name = the column name
    virtual QVariant value() const = 0; // text, or QDateTime for a date-time picker
    virtual void setValue(const QVariant& value) = 0;
    virtual void clear() = 0;
    virtual void setReadOnly(bool readOnly) = 0;
};

// A node of a control tree as BindControls walks it: containers (group box, panel, tab page)
// are descended into; bindable controls are collected; anything else is skipped.
class IControlNode {
public:
    enum class Role { Container, Bindable, Other };
    virtual ~IControlNode() = default;
    virtual Role role() const = 0;
    virtual QList<IControlNode*> children() const = 0; // in the parent's child order
    virtual IBoundControl* bindable() const = 0;       // for Role::Bindable
};

class TOControl {
public:
    explicit TOControl(IBoundControl* control) : m_control(control) {}
    QString Name() const;
    void Clear();
    QVariant GetValue() const;
    void SetValue(const QVariant& value);
    void SetReadOnly(bool flag);
    bool ReadOnly() const { return m_readOnly; }
    IBoundControl* Control() const { return m_control; }

private:
    IBoundControl* m_control; // not owned
    bool m_readOnly = false;
};

class TOControls {
public:
    void BindControls(const IControlNode& container);
    void Add(IBoundControl* control);
    int Count() const { return int(m_items.size()); }
    TOControl& Items(int i) { return m_items[i]; }
    const TOControl& Items(int i) const { return m_items[i]; }
    TOControl* FindByName(const QString& name);
    void ClearAll();
    void SetReadOnlyAll(bool flag);

private:
    QList<TOControl> m_items;
};
