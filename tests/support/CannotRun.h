// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test that cannot do its work on this machine (a program it needs is not installed) shows as
// skipped in CTest's summary, not as passed: ORDALIS_SKIP_CANNOT_RUN skips like QSKIP and
// remembers why, and ORDALIS_GUILESS_TEST_MAIN then exits with CTest's skip code when nothing
// failed. A failure still counts as one.

#include <QCoreApplication>
#include <QTest>

namespace ordalis::test {

inline constexpr int SkipReturnCode = 77; // SKIP_RETURN_CODE in tests/CMakeLists.txt

inline bool& couldNotRun() {
    static bool could = false;
    return could;
}

inline int resultOrSkipped(int failures) {
    return failures == 0 && couldNotRun() ? SkipReturnCode : failures;
}

} // namespace ordalis::test

#define ORDALIS_SKIP_CANNOT_RUN(reason)                                                            \
    do {                                                                                           \
        ::ordalis::test::couldNotRun() = true;                                                     \
        QSKIP(reason);                                                                             \
    } while (false)

// QTEST_GUILESS_MAIN with the skip code.
#define ORDALIS_GUILESS_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char* argv[]) {                                                             \
        QCoreApplication app(argc, argv);                                                          \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return ::ordalis::test::resultOrSkipped(QTest::qExec(&test, argc, argv));                  \
    }
