// SPDX-License-Identifier: MIT
#include "ui/accessibleInterfaces.h"

#include "ui/PickComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// A drop-down list: its name is the current item (as Qt names a combo box on Linux), its
// child the list that drops down, and its text the current item, which is where a screen
// reader looks for a combo box's value.
class PickListInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PickListInterface(PickComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Value) return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        return s;
    }

    // The text: the current item, read only, without a selection.
    void selection(int, int *startOffset, int *endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        return box()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->currentText().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override {
        *startOffset = *endOffset = 0;
        return QString();
    }

private:
    PickComboBox *box() const { return static_cast<PickComboBox *>(widget()); }
};

// "&Buttons" as read: without the mnemonic's marker ("&&" is one "&").
QString withoutMarker(const QString &caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

// An item of a drop-down menu. Qt's own item reports only whether it is checked, so an
// unchecked one reads as a plain item, and Qt passes no checkable state on to AT-SPI, where
// none of Qt's roles becomes a check or radio menu item. So a checkable item is a check
// box, or a radio button when its group lets only one item be checked, which every screen
// reader reads with its state. Its menu is MenuInterface (below): Qt's own menu finds the
// index of an item only if its role is that of a menu item.
class MenuItemInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuItemInterface(QAction *action, QMenu *menu) : action(action), menu(menu) {}

    bool isValid() const override { return action && menu; }
    QObject *object() const override { return action; }
    QWindow *window() const override { return menu ? menu->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(menu.data());
    }
    // An item that opens a submenu has it as its child.
    QAccessibleInterface *child(int index) const override {
        return index == 0 && action->menu() ? QAccessible::queryAccessibleInterface(action->menu())
                                            : nullptr;
    }
    int childCount() const override { return action->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child && action->menu() && child->object() == action->menu() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return withoutMarker(action->text());
        if (t == QAccessible::Accelerator) {
            if (!action->shortcut().isEmpty())
                return action->shortcut().toString(QKeySequence::NativeText);
            const qsizetype marker = action->text().indexOf(u'&');
            if (marker >= 0 && marker + 1 < action->text().size())
                return QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) +
                       action->text().at(marker + 1).toUpper();
        }
        return QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override {
        const QRect r = menu->actionGeometry(action);
        return QRect(menu->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        if (action->isSeparator()) return QAccessible::Separator;
        if (!action->isCheckable()) return QAccessible::MenuItem;
        return action->actionGroup() && action->actionGroup()->isExclusive()
                   ? QAccessible::RadioButton
                   : QAccessible::CheckBox;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !menu->isVisible() || !action->isVisible();
        s.disabled = action->isSeparator() || !action->isEnabled();
        s.focusable = !s.disabled;
        s.focused = menu->activeAction() == action;
        s.checkable = action->isCheckable();
        s.checked = action->isChecked();
        if (action->menu()) {
            s.hasPopup = true;
            s.expanded = action->menu()->isVisible();
        }
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return nullptr;
    }

    QStringList actionNames() const override {
        if (action->isSeparator() || !action->isEnabled()) return {};
        if (action->menu()) return {showMenuAction()};
        return {pressAction()};
    }
    void doAction(const QString &name) override {
        if (action->isSeparator() || !action->isEnabled()) return;
        if (name == pressAction()) action->trigger();
        if (name == showMenuAction() && action->menu()) menu->setActiveAction(action);
    }
    QStringList keyBindingsForAction(const QString &) const override {
        if (action->shortcut().isEmpty()) return {};
        return {action->shortcut().toString(QKeySequence::NativeText)};
    }

private:
    QPointer<QAction> action;
    QPointer<QMenu> menu;
};

// A drop-down menu whose items are MenuItemInterface.
class MenuInterface : public QAccessibleWidget {
public:
    explicit MenuInterface(QMenu *menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

    int childCount() const override { return int(menu()->actions().size()); }
    QAccessibleInterface *child(int index) const override {
        const QList<QAction *> actions = menu()->actions();
        return index >= 0 && index < actions.size()
                   ? QAccessible::queryAccessibleInterface(actions[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child ? int(menu()->actions().indexOf(qobject_cast<QAction *>(child->object())))
                     : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        QAction *action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
        return action ? QAccessible::queryAccessibleInterface(action) : nullptr;
    }
    // The item that opened it: in the menu bar, or in the menu it is a submenu of.
    QAccessibleInterface *parent() const override {
        if (QAccessibleInterface *opener =
                QAccessible::queryAccessibleInterface(menu()->menuAction()))
            return opener;
        return QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return withoutMarker(menu()->title());
        return QAccessibleWidget::text(t);
    }

private:
    QMenu *menu() const { return static_cast<QMenu *>(widget()); }
};

QAccessibleInterface *factory(const QString &className, QObject *object) {
    if (className == QLatin1String("PickComboBox"))
        return new PickListInterface(static_cast<PickComboBox *>(object));
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    if (className == QLatin1String("QMenu")) return new MenuInterface(static_cast<QMenu *>(object));
    if (className == QLatin1String("QAction")) {
        // An item of a drop-down menu; those of the menu bar are Qt's. A submenu's own
        // action is associated with the submenu too, which is not where it is an item.
        auto *action = static_cast<QAction *>(object);
        const QList<QObject *> owners = action->associatedObjects();
        for (QObject *owner : owners)
            if (qobject_cast<QMenuBar *>(owner)) return nullptr;
        for (QObject *owner : owners)
            if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu != action->menu())
                return new MenuItemInterface(action, menu);
    }
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}
