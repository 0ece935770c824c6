// Drawing the month grid of the main window: the whole grid once (repaint and grab), and holding
// Page Down for 100 months with a repaint after every key. The window is the real TMainForm with
// the test fakes (fixed clock, expected prompts, folders of its own), shown on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "support/MainFormHarness.h"

#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"
#include "widgets/WindowFonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdlib>

using namespace kestro;
using namespace kestro::test;

namespace {

// One shown window for all benchmarks, started from the classic settings file.
FormRun& Run() {
    static FormRun* run = [] {
        auto* r = new FormRun;
        r->WriteSettings(ClassicSettings);
        r->StartShown();
        QApplication::processEvents();
        return r;
    }();
    return *run;
}

// Seconds per frame, from the time of an iteration that draws `frames` frames.
benchmark::Counter PerFrame(double frames) {
    return benchmark::Counter(frames, benchmark::Counter::kIsIterationInvariantRate |
                                          benchmark::Counter::kInvert);
}

void BM_GridRepaint(benchmark::State& state) {
    TMainForm& form = *Run().form;
    for (auto _ : state)
        Peek(form).dgCal->repaint();
    state.counters["per_frame"] = PerFrame(1);
}

void BM_GridGrab(benchmark::State& state) {
    TMainForm& form = *Run().form;
    for (auto _ : state) {
        QPixmap shot = Peek(form).dgCal->grab();
        benchmark::DoNotOptimize(shot);
    }
    state.counters["per_frame"] = PerFrame(1);
}

// Holding Page Down: 100 key presses, each followed by the repaint it asks for (the grid and the
// month header above it).
void BM_PageDown100(benchmark::State& state) {
    TMainForm& form = *Run().form;
    for (auto _ : state) {
        for (int month = 0; month < 100; ++month) {
            QTest::keyClick(Peek(form).dgCal, Qt::Key_PageDown);
            Peek(form).dgCal->repaint();
            Peek(form).pHeader->repaint();
        }
        state.PauseTiming();
        Peek(form).bTodayClick();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["per_frame"] = PerFrame(100);
}

// Only the 42 cells, through the window's own cell routine, into an image (no widget painting).
void BM_DrawCells(benchmark::State& state) {
    TMainForm& form = *Run().form;
    QImage image(Peek(form).dgCal->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        for (int row = 0; row < MonthGridRows; ++row)
            for (int column = 0; column < MonthGridColumns; ++column)
                Peek(form).dgCalDrawCell(painter, column, row,
                                         Peek(form).dgCal->CellRect(column, row));
    }
    state.counters["per_frame"] = PerFrame(1);
}

// What the cell routine spends on its font: it builds the preview font and its metrics for every
// cell, 42 times a frame, though they change only when the settings do.
void BM_CellFontPerCell(benchmark::State& state) {
    TMainForm& form = *Run().form;
    const QString caption = QStringLiteral("28");
    for (auto _ : state) {
        for (int cell = 0; cell < MonthGridColumns * MonthGridRows; ++cell) {
            const QFont font = PreviewFont(CellFont(Peek(form).Settings));
            const QFontMetrics metrics(font);
            benchmark::DoNotOptimize(metrics.horizontalAdvance(caption) + metrics.height());
        }
    }
    state.counters["per_frame"] = PerFrame(1);
}

// The same font and metrics made once per frame instead.
void BM_CellFontPerFrame(benchmark::State& state) {
    TMainForm& form = *Run().form;
    const QString caption = QStringLiteral("28");
    for (auto _ : state) {
        const QFont font = PreviewFont(CellFont(Peek(form).Settings));
        const QFontMetrics metrics(font);
        for (int cell = 0; cell < MonthGridColumns * MonthGridRows; ++cell)
            benchmark::DoNotOptimize(metrics.horizontalAdvance(caption) + metrics.height());
    }
    state.counters["per_frame"] = PerFrame(1);
}

} // namespace

BENCHMARK(BM_GridRepaint);
BENCHMARK(BM_GridGrab);
BENCHMARK(BM_PageDown100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCells);
BENCHMARK(BM_CellFontPerCell);
BENCHMARK(BM_CellFontPerFrame);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
