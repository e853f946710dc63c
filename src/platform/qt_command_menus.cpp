#include "qt_command_menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <string>

namespace quillo {

QList<QKeySequence> shortcutsFor(const char* key)
{
    const QString k = QString::fromUtf8(key);
    if (k.size() == 1) return {QKeySequence(k.toUpper())};
    QList<QKeySequence> keys{QKeySequence(k)};
    static const char* const us = "!@#$%^";
    static const char* const jp = "!\"#$%&";
    if (k.startsWith("Shift+") && k.size() == 7 && k[6] >= '1' && k[6] <= '6') {
        const int i = k[6].unicode() - '1';
        // The character alone, and with the Shift that typed it (layouts
        // differ in whether the modifier stays on the event).
        for (char c : {us[i], jp[i]}) {
            const QKeySequence plain{QString(QChar(c))};
            if (keys.contains(plain)) continue;
            keys << plain << QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key(plain[0].key())));
        }
    }
    return keys;
}

std::map<int, QAction*> buildCommandMenus(QMainWindow& window, const CommandTable& table,
                                          std::function<void(int)> run)
{
    std::map<int, QAction*> actions;
    auto actionFor = [&](const CommandEntry& c) {
        QAction*& a = actions[c.id];
        if (!a) {
            a = new QAction(QString::fromUtf8(c.label ? c.label : ""), &window);
            a->setObjectName(QString::number(c.id));
            const int id = c.id;
            QObject::connect(a, &QAction::triggered, &window, [run, id] { run(id); });
        }
        if (c.key) { // a command may have several keys, one row each
            QList<QKeySequence> keys = a->shortcuts();
            for (const QKeySequence& k : shortcutsFor(c.key))
                if (!keys.contains(k)) keys << k;
            a->setShortcuts(keys);
            // Actions that live only on a hidden menu bar never fire, so
            // the window itself carries every keyed action as well.
            a->setShortcutContext(Qt::ApplicationShortcut);
            window.addAction(a);
        }
        return a;
    };
    for (const char* title : table.menus()) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        std::map<std::string, QMenu*> submenus;
        for (const CommandEntry& c : table.entries()) {
            if (!c.menu || std::string(c.menu) != title) continue;
            QMenu* into = menu;
            if (c.submenu) {
                QMenu*& sub = submenus[c.submenu];
                if (!sub) sub = menu->addMenu(QString::fromUtf8(c.submenu));
                into = sub;
            }
            if (!c.label)
                into->addSeparator();
            else
                into->addAction(actionFor(c));
        }
    }
    for (const CommandEntry& c : table.entries()) // keys of commands without a menu item
        if (!c.menu && c.key) actionFor(c);
    return actions;
}

} // namespace quillo
