#pragma once

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace vexlo::test {

// The forms keep their controls to themselves. A test knows a control only
// from a form's read-only view, and acts on it as a person does: on what
// the pointer meets where the control stands, and through the menu bar.

// What the pointer meets at `at` (the control's own coordinates): the
// control itself or a part of it, such as a list's viewport. Events sent
// there reach the form as a person's would.
inline QWidget *WidgetAt(QWidget &form, const QWidget *control, QPoint at)
{
    QWidget *met = form.childAt(control->mapTo(&form, at));
    EXPECT_TRUE(met && (met == control || control->isAncestorOf(met))) << "another control lies on top";
    return met;
}

// What the pointer meets in the middle of the control.
inline QWidget *WidgetAt(QWidget &form, const QWidget *control)
{
    return WidgetAt(form, control, control->rect().center());
}

// A left click in the middle of the control.
inline void Click(QWidget &form, const QWidget *control)
{
    QTest::mouseClick(WidgetAt(form, control), Qt::LeftButton);
}

// What the form shows where the control lies, with whatever lies on top.
inline QImage Shown(QWidget &form, const QWidget *control)
{
    return form.grab(QRect(control->mapTo(&form, QPoint(0, 0)), control->size())).toImage();
}

// Closes the popup menu on screen, as Escape does.
inline void ClosePopup()
{
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Escape);
}

// A menu of the window's menu bar by its caption, shown or not.
inline QMenu *MenuOf(QMainWindow &window, const QString &caption)
{
    for (QAction *entry : window.menuBar()->actions())
        if (entry->menu() && entry->text() == caption)
            return entry->menu();
    ADD_FAILURE() << "no menu " << caption.toStdString();
    return nullptr;
}

// A command of that menu by the start of its caption (Undo's caption goes
// on with the name of the step it undoes).
inline QAction *MenuCommand(QMainWindow &window, const QString &menu, const QString &command)
{
    if (QMenu *found = MenuOf(window, menu))
        for (QAction *action : found->actions())
            if (action->text().startsWith(command))
                return action;
    ADD_FAILURE() << "no command " << command.toStdString() << " in " << menu.toStdString();
    return nullptr;
}

} // namespace vexlo::test
