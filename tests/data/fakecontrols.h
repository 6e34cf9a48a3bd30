#pragma once

#include "data/ocontrol.h"

#include <QDateTime>
#include <memory>
#include <vector>

// Stand-ins for the client page's widgets: a bound control holding a value, and a tree node.
class FakeControl : public IBoundControl {
public:
    FakeControl(const QString& name, Kind kind = Kind::LabelledEdit) : m_name(name), m_kind(kind) {}
    Kind kind() const override { return m_kind; }
    QString name() const override { return m_name; }
    QVariant value() const override { return m_value; }
    void setValue(const QVariant& value) override { m_value = value; }
    void clear() override {
        m_value =
            m_kind == Kind::DateTime ? QVariant(QDateTime::currentDateTime()) : QVariant(QString());
    }
    void setReadOnly(bool readOnly) override { m_readOnly = readOnly; }

    QVariant m_value = QString();
    bool m_readOnly = false;

private:
    QString m_name;
    Kind m_kind;
};

class FakeNode : public IControlNode {
public:
    explicit FakeNode(Role role, IBoundControl* control = nullptr)
        : m_role(role), m_control(control) {}
    Role role() const override { return m_role; }
    QList<IControlNode*> children() const override {
        QList<IControlNode*> list;
        for (const auto& c : m_children)
            list << c.get();
        return list;
    }
    IBoundControl* bindable() const override { return m_control; }
    FakeNode* add(Role role, IBoundControl* control = nullptr) {
        m_children.push_back(std::make_unique<FakeNode>(role, control));
        return m_children.back().get();
    }

private:
    Role m_role;
    IBoundControl* m_control;
    std::vector<std::unique_ptr<FakeNode>> m_children;
};

// The client page: one control per client column, in the table's column order.
struct FakeClientPage {
    FakeClientPage() {
        for (const char* name :
             {"ledtCompanyName", "memAddress", "ledtPrimaryContact", "ledtOffice", "ledtFax",
              "ledtEmail", "ledtPosition", "ledtWebsite", "ledtOther1", "ledtOther2", "ledtOther3",
              "ledtReference", "memNotes"}) {
            const QString n = QLatin1String(name);
            controls.push_back(std::make_unique<FakeControl>(
                n, n.startsWith(QLatin1String("mem")) ? IBoundControl::Kind::Memo
                                                      : IBoundControl::Kind::LabelledEdit));
        }
    }
    FakeControl* get(const QString& name) {
        for (auto& c : controls)
            if (c->name() == name)
                return c.get();
        return nullptr;
    }
    std::vector<std::unique_ptr<FakeControl>> controls;
};
