// The libFuzzer entry of one target, named by FONDALIS_FUZZ_TARGET at build
// time: a broken contract aborts, so libFuzzer keeps the input.
#include "FuzzContracts.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const fuzzcontracts::Target *target = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    // Fonts for the gallery's labels and the reports, never a screen. Qt
    // gets a command line of its own: libFuzzer's options are not for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    // Never deleted: libFuzzer ends the process with exit().
    new QGuiApplication(qtArgc, qtArgv);
    target = fuzzcontracts::find(QStringLiteral(FONDALIS_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", FONDALIS_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The bytes as they are, so that AddressSanitizer sees a read past them.
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString broken = target->check(input);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "fuzz target %s: contract broken: %s\n", target->name, qPrintable(broken));
        std::abort();
    }
    return 0;
}
