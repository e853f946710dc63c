// The application object of the Qt tests and helpers to act inside a
// modal dialog's own event loop.
#pragma once

#include <functional>

#include <QApplication>
#include <QWidget>

namespace quillo::test {

// Runs `action` with the next modal widget of type T once it is shown
// (checked every few milliseconds). When none comes within five seconds
// the test fails and whatever modal widget is up gets rejected, so a test
// never hangs.
void onModalWidget(std::function<bool(QWidget*)> fits, std::function<void(QWidget*)> action);

template <class T>
void onModal(std::function<void(T*)> action)
{
    onModalWidget([](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; },
                  [action](QWidget* w) { action(dynamic_cast<T*>(w)); });
}

// Top-level widgets with this object name that are visible.
int visibleWindows(const QString& objectName);

// Runs posted deletions (widgets closed with WA_DeleteOnClose).
void flushDeletes();

} // namespace quillo::test
