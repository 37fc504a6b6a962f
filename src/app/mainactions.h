#pragma once

// The main window's commands as actions: the menu bar, the two rows of toolbar buttons
// and the pop-up menus, built from one table, and the rules that enable them as the
// active document, the page and the busy flag change.

#include <QHash>
#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class TfMain;

class TMainActions : public QObject
{
public:
    explicit TMainActions(TfMain &main);

    // Creates every menu, button and pop-up menu of the table.
    void Build(QToolBar *upper, QToolBar *lower);

    QAction *Action(const QString &objectName) const;
    QMenu *Menu(const QString &objectName) const { return m_menus.value(objectName); }
    void SetChecked(const QStringList &actionNames, bool on);

    // Enabling. The Edit menu's items follow the active document whenever it changes
    // (tab, selection, history); the clipboard is asked only when it may have changed.
    void UpdateEditCommands(bool clipboard);
    // Off on the Browse page: the editing buttons, F3, the speedbar and five menus.
    void EnableEditingCommands(bool on);
    // Off while busy: the menus File to Options.
    void EnableMenus(bool on);
    void EnableSave(bool on);

private:
    void ConnectMenuState();
    void UpdateEditPopup();

    TfMain &m_main;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QActionGroup *> m_groups;
};
