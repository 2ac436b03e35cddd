// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks run inside a QApplication so that widget benchmarks can create real
// widgets; without a display they use the offscreen platform.
#include "ProjectorScreens.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    // Offscreen, the screens are a 1920×1080 and a 1366×768 projector.
    if (!ordalis::test::useOffscreenProjectorScreens() &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
