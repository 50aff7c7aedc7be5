// Runs loops.vbs through the interpreter and loops.lua through lua5.4, checks that both
// print the same result, and reports both times and their ratio (target: within 3x).
// Times are processor times, so other work on a shared machine does not skew the ratio.
#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/engine.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>
#include <time.h>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Best of a few runs.
constexpr int runs = 3;

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool timeScript(double& milliseconds, QString& output)
{
    const QString text = readText(QStringLiteral(VELMOR_BENCH_DIR "/loops.vbs"));
    milliseconds = 1e30;
    for (int i = 0; i < runs; ++i) {
        vbs::Engine engine;
        if (!engine.parse(text))
            return false;
        vbs::Variant result;
        const double start = processCpuMs();
        if (!engine.call(QStringLiteral("Run"), {}, &result))
            return false;
        milliseconds = std::min(milliseconds, processCpuMs() - start);
        output = vbs::toString(result);
    }
    return true;
}

bool timeLua(double& milliseconds, QString& output)
{
    milliseconds = 1e30;
    for (int i = 0; i < runs; ++i) {
        QProcess lua;
        const double start = childrenCpuMs();
        lua.start(QStringLiteral("lua5.4"), {QStringLiteral(VELMOR_BENCH_DIR "/loops.lua")});
        if (!lua.waitForFinished(120000) || lua.exitCode() != 0)
            return false;
        milliseconds = std::min(milliseconds, childrenCpuMs() - start);
        output = QString::fromUtf8(lua.readAllStandardOutput()).trimmed();
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    double scriptMs = 0, luaMs = 0;
    QString scriptOut, luaOut;
    if (!timeScript(scriptMs, scriptOut)) {
        std::fprintf(stderr, "loops.vbs failed\n");
        return 1;
    }
    if (!timeLua(luaMs, luaOut)) {
        std::fprintf(stderr, "lua5.4 loops.lua failed\n");
        return 1;
    }
    std::printf("vbscript loops.vbs: %.1f ms cpu  (%s)\n", scriptMs, qPrintable(scriptOut));
    std::printf("lua5.4   loops.lua: %.1f ms cpu  (%s)\n", luaMs, qPrintable(luaOut));
    std::printf("ratio vbscript/lua: %.2f (target <= 3)\n", scriptMs / luaMs);
    if (scriptOut != luaOut) {
        std::fprintf(stderr, "results differ\n");
        return 1;
    }
    return 0;
}
