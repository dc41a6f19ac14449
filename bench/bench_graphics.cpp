// One diagram with axes, grid lines, tick labels and a curve with a symbol at
// every point, drawn into an image surface, as a page redraws it: the limits
// and scales found by the first drawing are read from G0 of a project
// database in a temporary folder.
#include "BenchProject.h"
#include "common/K10Scales.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "graphics/ImageSurface.h"
#include "graphics/clsGRAFIK.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

void BM_Diagram(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    BenchProject project;
    Session& session = project.session;
    project.addRecord(1, QStringLiteral("B1"));
    session.cnnX.Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],"
                                        "[YMIN],[YMAX],[MYMX],[MX],[MY]) VALUES (1,11,1,1,11,12,10,11,0,0,0,0,0,0,0)"));
    vb::ScopedScriptedUi ui;

    QVector<float> t(n), k10(n);
    for (int i = 0; i < n; ++i) {
        t[i] = 0.01f * i;
        k10[i] = static_cast<float>(3e-8 * std::exp(-3.0 * i / n) + 2e-9 * std::sin(i * 0.1));
    }

    gfx::ImageSurface image(110, 125, 150);
    bool first = true;
    auto draw = [&] {
        image.Cls();
        clsGRAFIK g(session);
        g.setEIDOBJEKT(11);
        g.setEOBJEKT(&image);
        const short automatic = first ? -1 : 0; // the first drawing finds and stores the limits
        g.setEBOXMIN(automatic);
        g.setEBOXMAX(automatic);
        g.setEBOYMIN(automatic);
        g.setEBOYMAX(automatic);
        testsupport::setK10Scales(g);
        if (first) g.SKALEN(-1, t, k10);
        else g.SKALEN(0);
        QVector<float> x = t, y = k10;
        g.POLYGON(x, y, static_cast<short>(n), 0, 0, QString(), 0, 0, 0);
        image.flush();
        first = false;
    };
    draw();
    for (auto _ : state) draw();
    if (!ui->boxes().isEmpty()) state.SkipWithError(ui->boxes().first().text.toStdString().c_str());
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_Diagram)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
