#include "shell/boundcontrols.h"

#include "data/dayserial.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TLabelledEdit::TLabelledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), m_label(new QLabel(caption, this)), m_edit(new QLineEdit(this)) {
    setObjectName(name);
    m_edit->setObjectName(name + QStringLiteral("Edit"));
    m_label->setBuddy(m_edit);
    m_edit->setAccessibleName(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
}

QString TLabelledEdit::caption() const {
    return m_label->text();
}

void TLabelledEdit::setCaption(const QString& caption) {
    m_label->setText(caption);
    m_edit->setAccessibleName(caption);
}

QString TLabelledEdit::text() const {
    return m_edit->text();
}
void TLabelledEdit::setText(const QString& text) {
    m_edit->setText(text);
}

namespace {

// Base of the adapters: a QObject child of the widget it serves, found again by type.
const char* const kAdapterProperty = "quillonBoundControl";

class TBoundAdapter : public QObject, public IBoundControl {
public:
    explicit TBoundAdapter(QWidget* widget) : QObject(widget), m_widget(widget) {
        widget->setProperty(kAdapterProperty, QVariant::fromValue(static_cast<void*>(
                                                  static_cast<IBoundControl*>(this))));
    }
    QString name() const override { return m_widget->objectName(); }

protected:
    QWidget* m_widget;
};

QString textOf(const QVariant& value) {
    // A null column (written by other means) shows as empty text.
    return value.isNull() ? QString() : value.toString();
}

class TLineEditAdapter : public TBoundAdapter {
public:
    TLineEditAdapter(QWidget* owner, QLineEdit* edit, Kind kind)
        : TBoundAdapter(owner), m_edit(edit), m_kind(kind) {}
    Kind kind() const override { return m_kind; }
    QVariant value() const override { return m_edit->text(); }
    void setValue(const QVariant& value) override { m_edit->setText(textOf(value)); }
    void clear() override { m_edit->clear(); }
    void setReadOnly(bool readOnly) override { m_edit->setReadOnly(readOnly); }

private:
    QLineEdit* m_edit;
    Kind m_kind;
};

class TMemoAdapter : public TBoundAdapter {
public:
    explicit TMemoAdapter(QPlainTextEdit* memo) : TBoundAdapter(memo), m_memo(memo) {}
    Kind kind() const override { return Kind::Memo; }
    QVariant value() const override { return m_memo->toPlainText(); }
    void setValue(const QVariant& value) override { m_memo->setPlainText(textOf(value)); }
    void clear() override { m_memo->clear(); }
    void setReadOnly(bool readOnly) override {
        m_memo->setReadOnly(readOnly);
        // Read-only text stays selectable by mouse and keyboard, so it can be copied.
        if (readOnly)
            m_memo->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    }

private:
    QPlainTextEdit* m_memo;
};

class TComboAdapter : public TBoundAdapter {
public:
    explicit TComboAdapter(QComboBox* combo) : TBoundAdapter(combo), m_combo(combo) {}
    Kind kind() const override { return Kind::Combo; }
    QVariant value() const override { return m_combo->currentText(); }
    void setValue(const QVariant& value) override {
        const QString text = textOf(value);
        if (m_combo->isEditable()) {
            m_combo->setEditText(text);
            return;
        }
        int index = m_combo->findText(text);
        if (index < 0) {
            m_combo->addItem(text);
            index = m_combo->count() - 1;
        }
        m_combo->setCurrentIndex(index);
    }
    void clear() override {
        m_combo->clear();
        if (m_combo->isEditable())
            m_combo->clearEditText();
    }
    void setReadOnly(bool readOnly) override { m_combo->setEnabled(!readOnly); }

private:
    QComboBox* m_combo;
};

class TDateTimeAdapter : public TBoundAdapter {
public:
    explicit TDateTimeAdapter(QDateTimeEdit* picker) : TBoundAdapter(picker), m_picker(picker) {}
    Kind kind() const override { return Kind::DateTime; }
    QVariant value() const override { return m_picker->dateTime(); }
    void setValue(const QVariant& value) override {
        // Only the date is taken; the picker keeps its own time of day.
        QDate date;
        if (value.metaType().id() == QMetaType::QDateTime)
            date = value.toDateTime().date();
        else if (value.metaType().id() == QMetaType::QDate)
            date = value.toDate();
        else if (!value.isNull())
            date = DaySerial::toDate(value.toDouble());
        if (date.isValid())
            m_picker->setDate(date);
    }
    void clear() override { m_picker->setDateTime(QDateTime::currentDateTime()); }
    void setReadOnly(bool readOnly) override { m_picker->setEnabled(!readOnly); }

private:
    QDateTimeEdit* m_picker;
};

bool isBindable(const QWidget* w) {
    return qobject_cast<const TLabelledEdit*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QDateTimeEdit*>(w);
}

bool isContainer(const QWidget* w) {
    if (qobject_cast<const QGroupBox*>(w))
        return true;
    // Plain panels and frames, and tab pages (plain widgets): exactly these classes, so that
    // labels (frames), views and other composite widgets are not walked into.
    const QMetaObject* meta = w->metaObject();
    return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject;
}

} // namespace

IBoundControl* boundControlFor(QWidget* widget) {
    if (!widget || !isBindable(widget))
        return nullptr;
    if (void* existing = widget->property(kAdapterProperty).value<void*>())
        return static_cast<IBoundControl*>(existing);
    if (auto* labelled = qobject_cast<TLabelledEdit*>(widget))
        return new TLineEditAdapter(labelled, labelled->edit(), IBoundControl::Kind::LabelledEdit);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return new TLineEditAdapter(edit, edit, IBoundControl::Kind::Edit);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return new TMemoAdapter(memo);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return new TComboAdapter(combo);
    if (auto* picker = qobject_cast<QDateTimeEdit*>(widget))
        return new TDateTimeAdapter(picker);
    return nullptr;
}

TWidgetNode::TWidgetNode(QWidget* widget) : m_widget(widget) {}
TWidgetNode::~TWidgetNode() = default;

IControlNode::Role TWidgetNode::role() const {
    if (isBindable(m_widget))
        return Role::Bindable;
    if (isContainer(m_widget))
        return Role::Container;
    return Role::Other;
}

QList<IControlNode*> TWidgetNode::children() const {
    if (!m_childrenBuilt) {
        m_childrenBuilt = true;
        // Every node lists its child widgets: the page handed to the binding is walked
        // whatever its class, and the walk itself decides by role what it descends into.
        for (QObject* child : m_widget->children()) {
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                m_children.push_back(std::make_unique<TWidgetNode>(w));
        }
    }
    QList<IControlNode*> result;
    result.reserve(int(m_children.size()));
    for (const auto& node : m_children)
        result.append(node.get());
    return result;
}

IBoundControl* TWidgetNode::bindable() const {
    return role() == Role::Bindable ? boundControlFor(m_widget) : nullptr;
}
