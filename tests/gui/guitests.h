#pragma once
// The window test classes, one per page or dialog.

#include <QObject>

#include <vector>

namespace corvane::testing {

QObject* mainWindowTests();
QObject* playersPageTests();
QObject* messagesPageTests();
QObject* dialogTests();

inline std::vector<QObject*> guiTests() {
    return {mainWindowTests(), playersPageTests(), messagesPageTests(), dialogTests()};
}

} // namespace corvane::testing
