#include "platform/accessibility.h"

#include <QAccessibleWidget>
#include <QMetaObject>
#include <QWidget>

namespace platform
{

namespace
{

const char *const kRole = "puzzleAccessibleRole";
const char *const kAction = "puzzleAccessibleAction";

bool pressable(QAccessible::Role role)
{
    return role == QAccessible::Button || role == QAccessible::Link;
}

class Control final : public QAccessibleWidget
{
public:
    Control(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QStringList actionNames() const override
    {
        QStringList names = pressable(role()) && widget()->isEnabled()
                                ? QStringList{pressAction()}
                                : QAccessibleWidget::actionNames();
        if (const QString own = widget()->property(kAction).toString(); !own.isEmpty())
            names << own;
        return names;
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && pressable(role()) && widget()->isEnabled()) {
            // The element's own click, so a press does exactly what the mouse does.
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
            return;
        }
        if (!name.isEmpty() && name == widget()->property(kAction).toString()) {
            QMetaObject::invokeMethod(widget(), "actionRequested", Qt::QueuedConnection,
                                      Q_ARG(QString, name));
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *controlFor(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(kRole);
    if (!role.isValid())
        return nullptr;
    return new Control(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void describe(QWidget *element, QAccessible::Role role, const QString &name,
              const QString &description)
{
    static const bool installed = [] {
        QAccessible::installFactory(controlFor);
        return true;
    }();
    Q_UNUSED(installed);
    element->setProperty(kRole, static_cast<int>(role));
    // A reader already listening may have asked for the element before it was described (a
    // change of its state does that); that reading would keep the plain role for good.
    if (QAccessible::isActive()) {
        QAccessibleInterface *known = QAccessible::queryAccessibleInterface(element);
        if (known && known->role() != role)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    }
    element->setAccessibleName(name);
    element->setAccessibleDescription(description);
}

void offerAction(QWidget *element, const QString &action)
{
    element->setProperty(kAction, action);
}

void rename(QWidget *element, const QString &name)
{
    if (element->accessibleName() != name)
        element->setAccessibleName(name);
}

} // namespace platform
