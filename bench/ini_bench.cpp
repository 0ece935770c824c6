// Open, save twenty keys and serialize, as a save of a large settings file does; open and read
// keys of three sections, one of them absent.
#include "ini/IniDocument.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

// About `bytes` of CRLF text in `sections` sections of equal size; "Shift Schedule" and
// "Colors" sit in the middle.
QByteArray MakeFile(qsizetype bytes, int sections) {
    QByteArray file;
    file.reserve(bytes + 4096);
    const qsizetype perSection = bytes / sections;
    for (int i = 0; i < sections; ++i) {
        if (i == sections / 2) {
            file += "[Shift Schedule]\r\nNumberOfPlatoons = 3\r\nDaysInRotation=24\r\n"
                    "ShiftRotation=\"ACABABABCBCACACABABCBCBC\"\r\n\r\n[Colors]\r\nAPlt=Red\r\n"
                    "AInv=White\r\nGridColor=Gray\r\n; platoons\r\n\r\n";
        }
        const qsizetype start = file.size();
        file += "[Section " + QByteArray::number(i) + "]\r\n; generated\r\n";
        for (int key = 0; file.size() - start < perSection - 24; ++key)
            file += "Key" + QByteArray::number(key) + "=Value " + QByteArray::number(i) + "\r\n";
        file += "\r\n";
    }
    return file;
}

void WriteTwentyKeys(IniDocument& doc) {
    const QString schedule = u"Shift Schedule"_s;
    const QString colors = u"Colors"_s;
    WriteIniValue(doc, schedule, u"NumberOfPlatoons"_s, u"4"_s);
    WriteIniValue(doc, schedule, u"DaysInRotation"_s, u"8"_s);
    WriteIniValue(doc, schedule, u"ShiftRotation"_s, u"ABCDABCD"_s);
    WriteIniValue(doc, schedule, u"StartDate"_s, u"1/2/2024"_s);
    static const char16_t* const keys[] = {u"APlt", u"AInv", u"BPlt", u"BInv", u"CPlt", u"CInv",
                                           u"DPlt", u"DInv", u"EPlt", u"EInv", u"FPlt", u"FInv",
                                           u"BkGr", u"LdTr", u"KPlt", u"KInv"};
    for (const char16_t* key : keys)
        WriteIniValue(doc, colors, QString::fromUtf16(key), u"Blue"_s);
}

void BM_ParseWriteSerialize(benchmark::State& state) {
    const QByteArray file = MakeFile(state.range(0), int(state.range(1)));
    for (auto _ : state) {
        IniDocument doc = ParseIni(file);
        WriteTwentyKeys(doc);
        QByteArray out = SerializeIni(doc);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

void BM_ParseRead(benchmark::State& state) {
    const QByteArray file = MakeFile(state.range(0), int(state.range(1)));
    for (auto _ : state) {
        IniDocument doc = ParseIni(file);
        benchmark::DoNotOptimize(ReadIniValue(doc, u"Shift Schedule"_s, u"ShiftRotation"_s));
        benchmark::DoNotOptimize(ReadIniValue(doc, u"Colors"_s, u"AInv"_s));
        benchmark::DoNotOptimize(ReadIniValue(doc, u"Config"_s, u"Epoch"_s));
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

} // namespace

BENCHMARK(BM_ParseWriteSerialize)
    ->Args({4 << 10, 4})
    ->Args({1 << 20, 5'000})
    ->Args({20'000'000, 100'000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseRead)
    ->Args({4 << 10, 4})
    ->Args({1 << 20, 5'000})
    ->Args({20'000'000, 100'000})
    ->Unit(benchmark::kMillisecond);
