// Cost of the 3D attitude view: an Update with new angles (the window's
// timer calls it twenty times a second), an Update with the same angles,
// building the scene alone, and one full repaint at the host's size
// (455 x 210) at pixel ratios 1 and 2. Runs with the offscreen platform;
// prints medians over repetitions.

#include "libs/view3d/scene.h"
#include "libs/view3d/view_layout.h"
#include "libs/view3d_qt/attitude_picture.h"
#include "libs/view3d_qt/krq_show3d_lib_exp.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const QSize kHostSize(455, 210);
const Attitude kAttitude{.roll = -15, .pitch = 20, .yaw = 300};

void BM_UpdateWithNewAngles(benchmark::State& state)
{
    QWidget host;
    host.resize(kHostSize);
    KRQShow3DLibExp view;
    view.Init(&host, 0, 1.0);
    host.show();
    QCoreApplication::processEvents();
    double yaw = 0.0;
    for (auto _ : state) {
        yaw += 0.01;
        view.Update(1.0, 2.0, yaw);
    }
}
BENCHMARK(BM_UpdateWithNewAngles);

void BM_UpdateWithSameAngles(benchmark::State& state)
{
    QWidget host;
    KRQShow3DLibExp view;
    view.Init(&host, 0, 1.0);
    for (auto _ : state) {
        view.Update(1.0, 2.0, 3.0);
    }
}
BENCHMARK(BM_UpdateWithSameAngles);

void BM_BuildScene(benchmark::State& state)
{
    const Mesh mesh = BuildGimbalModel(ModelVariant::Gimbal);
    const Rect viewport = LayoutView(kHostSize.width(), kHostSize.height()).model;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildScene(mesh, {.attitude = kAttitude, .viewport = viewport}));
    }
}
BENCHMARK(BM_BuildScene);

void BM_RepaintAtPixelRatio(benchmark::State& state)
{
    const double ratio = static_cast<double>(state.range(0));
    AttitudePicture picture(ModelVariant::Gimbal, 1.0);
    QImage canvas(kHostSize * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&canvas);
        picture.Paint(painter, kHostSize, kAttitude);
    }
}
BENCHMARK(BM_RepaintAtPixelRatio)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Medians by default; command-line flags still override.
    std::vector<std::string> defaults{"--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true"};
    std::vector<char*> arguments{argv[0]};
    for (std::string& flag : defaults) {
        arguments.push_back(flag.data());
    }
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
