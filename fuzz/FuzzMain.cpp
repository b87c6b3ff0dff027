// Runs a fuzz target over files, without libFuzzer: the seeds and every
// input that once failed are replayed this way by the ordinary test suite.
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        const QByteArray arr = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(arr.constData()),
                               static_cast<size_t>(arr.size()));
    }
    std::printf("%d inputs\n", argc - 1);
    return 0;
}
