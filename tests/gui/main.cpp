// One program runs every window test class, offscreen.

#include "guitests.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (QObject* test : corvane::testing::guiTests())
        failed += QTest::qExec(test, argc, argv);
    return failed == 0 ? 0 : 1;
}
