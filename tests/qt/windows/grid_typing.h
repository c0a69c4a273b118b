#pragma once

// Keyboard and mouse on a grid as a user works them: the first key opens the in-place editor
// of the current cell, the keys after it go to whatever has the focus.

#include <QAbstractItemView>
#include <QApplication>
#include <QtTest>

namespace kargolo::testing {

// The in-place editor of the current cell, or the view when none is open.
inline QWidget* KeyTarget(QAbstractItemView* view) {
    QWidget* editor = view->indexWidget(view->currentIndex());
    return editor != nullptr ? editor : view;
}

// Characters beyond ASCII go as key events with their text, as a keyboard layout sends them.
inline void TypeIntoGrid(QAbstractItemView* view, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(KeyTarget(view), QString(c));
        } else {
            QTest::sendKeyEvent(QTest::Click, KeyTarget(view), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// The editor commits on Enter through a queued call: the events are processed after the key.
inline void PressInGrid(QAbstractItemView* view, Qt::Key key) {
    QTest::keyClick(KeyTarget(view), key);
    QCoreApplication::processEvents();
}

inline void ClickCell(QAbstractItemView* view, const QModelIndex& index) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

}  // namespace kargolo::testing
