// Sending a message to a sign on a line paced like a real one (19200 baud, 11 bits a
// byte): how close does the send come to the time the bytes need on the wire, and how
// much processor time does the sender spend while it waits?
//
// Counters: wire_ratio = wall time / wire time (goal <= 1.05), sender_cpu_pct = sender
// CPU time / wall time in percent (goal <= 2).

#include "SendBenchMessage.h"

#include "app/CVemtApp.h"
#include "comm/CSendOperation.h"
#include "comm/CSerialLink.h"
#include "comm/CSimulatorLine.h"
#include "comm/CStderrMessageSink.h"
#include "comm/CTtyTransport.h"
#include "comm/FrameProtocol.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_SendFourScreens160x16DoubleColour(benchmark::State& state)
{
    constexpr int W = 160, H = 16, N = 4;
    CVemtApp app;
    app.m_nTPWidth = W;
    app.m_nTPHeight = H;
    app.m_nTotalScreen = N;
    app.m_nColorCount = 2;
    app.m_nComPort = 1;
    app.m_szAddress.assign(1, '1');  // the one sign on the line

    CBitPlanes planes;
    if (!ScanBenchMessage(W, H, N, planes)) {
        state.SkipWithError("scan failed");
        return;
    }

    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 1});
    CSimulatorLine line(sim);
    line.m_bPaced = true;
    if (!line.Open() || !line.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    CComPortMap ports;
    ports.SetDevicePath(1, line.SlavePath());
    CTtyTransport tty;
    CStderrMessageSink messages;
    CSerialLink link(tty, ports, &messages);

    const int F = DataFrameCount(planes.m_nBytes);
    const int frames = 1 + 2 * F;
    // Every frame: 1002 bytes out, 'K' and 'Y' back.
    const double wireSeconds = double(frames * (kFrameSize + 2)) * double(CSimulatorLine::kByteTimeNs) * 1e-9;

    double wallTotal = 0, cpuTotal = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const double c0 = ThreadCpuSeconds();
        CSendOperation op(app, link, messages);
        op.SendFile(planes, std::vector<SCREENINFO>(N));
        const double cpu = ThreadCpuSeconds() - c0;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(wall);
        wallTotal += wall;
        cpuTotal += cpu;
    }
    const CSimSignState st = sim.State(1);
    if (st.m_nMessages != int(state.iterations())) state.SkipWithError("the sign did not receive every message");
    const double wall = wallTotal / double(state.iterations());
    state.counters["frames"] = frames;
    state.counters["wire_s"] = wireSeconds;
    state.counters["wall_s"] = wall;
    state.counters["wire_ratio"] = wall / wireSeconds;
    state.counters["sender_cpu_s"] = cpuTotal / double(state.iterations());
    state.counters["sender_cpu_pct"] = 100.0 * cpuTotal / wallTotal;
    line.Stop();
}

} // namespace

BENCHMARK(BM_SendFourScreens160x16DoubleColour)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
