// How many info answers per second the core turns into server rows while
// 1,000 rows are already listed (every answer is checked for repeats against
// the list's index), and how fast repeated answers are dropped with 10 and
// with 10,000 rows listed.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/protocol/dispatch.h"

namespace {

using namespace zarnek::protocol;

Bytes GoldSrcAnswer() {
    Bytes b{0xFF, 0xFF, 0xFF, 0xFF, 'm'};
    auto str = [&](const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
    };
    str("10.0.0.7:27015");
    str("A typical Counter-Strike server name");
    str("de_dust2");
    str("cstrike");
    str("Counter-Strike");
    for (int x : {12, 32, 48, int('d'), int('l'), 0, 1}) b.push_back(static_cast<std::uint8_t>(x));
    str("www.counter-strike.net");
    str("");
    return b;
}

Bytes SourceAnswer() {
    Bytes b{0xFF, 0xFF, 0xFF, 0xFF, 'I', 17};
    auto str = [&](const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
    };
    str("A typical Counter-Strike: Source server");
    str("de_dust2");
    str("cstrike");
    str("Counter-Strike: Source");
    for (int x : {240, 0, 12, 32, 0, int('d'), int('w'), 0, 1}) b.push_back(static_cast<std::uint8_t>(x));
    return b;
}

Bytes OldAnswer() {
    const std::string text =
        "\\hostname\\Box\\map\\de_dust\\players\\5\\max\\16\\os\\w\\password\\0\\proxy\\0"
        "\\protocol\\47\\description\\Counter-Strike\\";
    Bytes b{0xFF, 0xFF, 0xFF, 0xFF};
    const std::string head = "infostringresponse";
    b.insert(b.end(), head.begin(), head.end());
    b.push_back(0);
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(0);
    return b;
}

std::string Address(int i) {
    return "10." + std::to_string(i / 65536 % 256) + "." + std::to_string(i / 256 % 256) + "." +
           std::to_string(i % 256);
}

// `count` listed rows from 10.0.0.0 on; answers come from further addresses.
ServerList Listed(int count) {
    Dispatcher d;
    ServerList rows;
    const Bytes answer = SourceAnswer();
    for (int i = 0; i < count; ++i)
        rows.Append(d.UDPDataReceived(answer, Address(i), 27015, {}).row);
    return rows;
}

void NewRows(benchmark::State& state, Bytes (*make)()) {
    const ServerList rows = Listed(1000);
    const Bytes answer = make();
    std::vector<std::string> senders;
    for (int i = 1000; i < 1000 + 4096; ++i) senders.push_back(Address(i));
    Dispatcher d;
    std::size_t next = 0;
    std::int64_t added = 0;
    for (auto _ : state) {
        auto out = d.UDPDataReceived(answer, senders[next], 27015, rows);
        next = (next + 1) % senders.size();
        added += out.kind == OutcomeKind::AddRow;
        benchmark::DoNotOptimize(out);
    }
    if (added != static_cast<std::int64_t>(state.iterations())) state.SkipWithError("no row");
    state.SetItemsProcessed(state.iterations());
}

void RepeatedAnswers(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const ServerList rows = Listed(count);
    const Bytes answer = SourceAnswer();
    Dispatcher d;
    const std::string last = Address(count - 1);  // the last row matches
    for (auto _ : state) {
        auto out = d.UDPDataReceived(answer, last, 27015, rows);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}

void SplitRules(benchmark::State& state) {
    // A 101-rule answer in two Source fragments, as real servers send it.
    Bytes whole{0xFF, 0xFF, 0xFF, 0xFF, 'E', 101, 0};
    for (int i = 0; i < 101; ++i) {
        const std::string pair = "sv_rule_number_" + std::to_string(i);
        whole.insert(whole.end(), pair.begin(), pair.end());
        whole.push_back(0);
        whole.insert(whole.end(), {'1', '0', '0', 0});
    }
    std::vector<Bytes> fragments;
    for (std::size_t at = 0, n = 0; at < whole.size(); at += 1248, ++n) {
        Bytes f{0xFE, 0xFF, 0xFF, 0xFF, 1, 2, 3, 0, 2, static_cast<std::uint8_t>(n), 0xE0, 0x04};
        f.insert(f.end(), whole.begin() + static_cast<std::ptrdiff_t>(at),
                 whole.begin() + static_cast<std::ptrdiff_t>(std::min(at + 1248, whole.size())));
        fragments.push_back(f);
    }
    fragments[0][8] = fragments[1][8] = static_cast<std::uint8_t>(fragments.size());
    Dispatcher d;
    for (auto _ : state) {
        for (const Bytes& f : fragments) {
            auto out = d.UDPDataReceived(f, "10.0.0.1", 27015, {});
            benchmark::DoNotOptimize(out);
        }
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(NewRows, GoldSrcInfoWith1000Listed, &GoldSrcAnswer);
BENCHMARK_CAPTURE(NewRows, SourceInfoWith1000Listed, &SourceAnswer);
BENCHMARK_CAPTURE(NewRows, OldProtocolInfoWith1000Listed, &OldAnswer);
BENCHMARK(RepeatedAnswers)->Arg(10)->Arg(10'000);
BENCHMARK(SplitRules);

BENCHMARK_MAIN();
