// Field-list codec throughput on a full-size message: 200 fields, 9,999 bytes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "serverlink/field_list.h"

namespace {

constexpr int kFields = 200;
constexpr std::size_t kMessageLength = 9999;

// Mixed fields as replies carry them: numbers, date-times, texts.
std::vector<std::string> MakeFields() {
    const std::size_t dataLength = kMessageLength - 4 * kFields - 4;
    std::vector<std::string> fields;
    std::size_t used = 0;
    for (int i = 0; i < kFields; ++i) {
        std::size_t remaining = dataLength - used;
        std::size_t want =
            (i == kFields - 1) ? remaining : remaining / static_cast<std::size_t>(kFields - i);
        std::string f;
        switch (i % 4) {
            case 0:
                f = std::to_string(100000 + i);
                break;
            case 1:
                f = "20261208035731";
                break;
            default:
                f = "Living room - Lamp " + std::to_string(i);
        }
        f.resize(want, 'x');
        if (i % 4 == 0)
            f.assign(want, '7');
        used += f.size();
        fields.push_back(std::move(f));
    }
    return fields;
}

std::string MakeMessage(const std::vector<std::string>& fields) {
    zol::FieldList list(kFields);
    for (const auto& f : fields)
        list.Add(f);
    return list.Message();
}

void BM_DecodeFieldList(benchmark::State& state) {
    const std::string message = MakeMessage(MakeFields());
    if (message.size() != kMessageLength)
        state.SkipWithError("message is not 9,999 bytes");
    std::vector<zol::FieldValue> values;
    for (auto _ : state) {
        int rc = zol::DecodeFieldList(message, values);
        benchmark::DoNotOptimize(rc);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(message.size()));
}
BENCHMARK(BM_DecodeFieldList);

void BM_AppendField(benchmark::State& state) {
    const auto fields = MakeFields();
    for (auto _ : state) {
        std::string header;
        std::string data;
        for (const auto& f : fields)
            zol::AppendField(f, kFields, header, data);
        header += data;
        benchmark::DoNotOptimize(header.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMessageLength));
}
BENCHMARK(BM_AppendField);

}  // namespace

BENCHMARK_MAIN();
