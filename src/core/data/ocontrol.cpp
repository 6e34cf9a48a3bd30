#include "data/ocontrol.h"

QString TOControl::Name() const {
    return m_control->name();
}

void TOControl::Clear() {
    m_control->clear();
}

QVariant TOControl::GetValue() const {
    return m_control->value();
}

void TOControl::SetValue(const QVariant& value) {
    m_control->setValue(value);
}

void TOControl::SetReadOnly(bool flag) {
    m_readOnly = flag;
    m_control->setReadOnly(flag);
}

void TOControls::BindControls(const IControlNode& container) {
    for (IControlNode* child : container.children()) {
        if (!child)
            continue;
        switch (child->role()) {
        case IControlNode::Role::Container:
            BindControls(*child);
            break;
        case IControlNode::Role::Bindable:
            if (IBoundControl* control = child->bindable())
                Add(control);
            break;
        case IControlNode::Role::Other:
            break;
        }
    }
}

void TOControls::Add(IBoundControl* control) {
    m_items.append(TOControl(control));
}

TOControl* TOControls::FindByName(const QString& name) {
    for (TOControl& item : m_items) {
        if (item.Name() == name)
            return &item;
    }
    return nullptr;
}

void TOControls::ClearAll() {
    for (TOControl& item : m_items)
        item.Clear();
}

void TOControls::SetReadOnlyAll(bool flag) {
    for (TOControl& item : m_items)
        item.SetReadOnly(flag);
}
